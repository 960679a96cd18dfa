// Test support for the main window: its thread, its files and the host system's tools.
#include "window_session.h"

#include <ole2.h>

#include "host/host_state_win.h"
#include "host/window_driver_win.h"
#include "model/export_settings.h"
#include "picture_samples.h"
#include "plugin/node_icons_win.h"
#include "plugin/plugin_module_win.h"
#include "ui/export_dialog_win.h"
#include "support/file_bytes.h"
#include "support/windows_path.h"

namespace t2c {

namespace {

using UnixSpawn = LONG(__cdecl*)(char* const argv[], int wait);
using UnixFileName = char*(__cdecl*)(const WCHAR* dosPath);

void placeFile(const std::string& source, const std::string& target, bool present) {
  if (present) {
    CreateDirectoryA(target.substr(0, target.find_last_of('\\')).c_str(), nullptr);
    CopyFileA(source.c_str(), target.c_str(), FALSE);
  } else {
    DeleteFileA(target.c_str());
  }
}

}  // namespace

MainWindowSession::MainWindowSession(const NodeStore* store, const std::string& chmTitle,
                                     const std::string& modeCaption, bool hostWindows)
    : store_(store), chmTitle_(chmTitle), modeCaption_(modeCaption), hostWindows_(hostWindows) {
  thread_ = CreateThread(nullptr, 0, Thread, this, 0, nullptr);
  window = tly::waitForWindow("#32770", kVersionTitle, true);
  // A person clicks once the window has come to the front; a click before that can lose its
  // button capture to the activation.
  if (window) {
    tly::waitUntil([&] { return GetForegroundWindow() == window; });
    Settle();
  }
}

MainWindowSession::~MainWindowSession() {
  if (thread_) {
    Close();
    CloseHandle(thread_);
  }
}

DWORD WINAPI MainWindowSession::Thread(void* context) {
  auto* session = static_cast<MainWindowSession*>(context);
  OleInitialize(nullptr);
  ensureModuleInitialised();
  for (HWND& host : session->host)
    if (session->hostWindows_)
      host = CreateWindowExA(0, "STATIC", "Host", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 200, 100, nullptr, nullptr,
                             nullptr, nullptr);
  {
    ExportDialog dialog(session->chmTitle_, session->modeCaption_, session->store_, session->host[1]);
    dialog.Run();
    session->syntaxChanged = dialog.syntaxChanged();
  }
  session->hostEnabledAfterwards = IsWindowEnabled(session->host[0]) != FALSE;
  if (session->host[0]) DestroyWindow(session->host[0]);
  OleUninitialize();
  return 0;
}

bool MainWindowSession::Close() {
  if (window && IsWindow(window)) tly::click(window, IDCANCEL);
  return WaitForSingleObject(thread_, tly::kDriverLimitMs) == WAIT_OBJECT_0;
}

void MainWindowSession::Settle() const { tly::settle(window); }

std::string programFolder() {
  char path[MAX_PATH] = "";
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string folder = path;
  return folder.substr(0, folder.find_last_of('\\') + 1);
}

void placeCompiler(bool present) { placeFile(windowsPath(T2C_HHC), programFolder() + "HHC.exe", present); }

void placeConverter(bool present) {
  placeFile(windowsPath(T2C_IRUN), programFolder() + "Plugins\\irun.dll", present);
}

int hostShell(const std::string& command) {
  auto spawn = reinterpret_cast<UnixSpawn>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("ntdll.dll"), "__wine_unix_spawnvp")));
  if (!spawn) return -1;
  std::string line = command;
  char shell[] = "/bin/sh";
  char dashC[] = "-c";
  char* argv[] = {shell, dashC, &line[0], nullptr};
  return static_cast<int>(spawn(argv, 1));
}

std::string hostOutput(const std::string& command) {
  char folder[MAX_PATH] = "", file[MAX_PATH] = "";
  GetTempPathA(MAX_PATH, folder);
  GetTempFileNameA(folder, "out", 0, file);
  hostShell("{ " + command + "; } >'" + hostPath(file) + "' 2>/dev/null");
  std::string output = fileBytes(file);
  DeleteFileA(file);
  return output;
}

std::string hostPath(const std::string& windowsPath) {
  auto toUnix = reinterpret_cast<UnixFileName>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name")));
  if (!toUnix) return std::string();
  std::wstring wide(windowsPath.begin(), windowsPath.end());
  char* mapped = toUnix(wide.c_str());
  if (!mapped) return std::string();
  std::string path = mapped;
  HeapFree(GetProcessHeap(), 0, mapped);
  return path;
}

void fillMixedDocument(NodeStore& store, bool withUnknownKind) {
  addNode(store, 10, 99, kContainer, "Handbook");
  addNode(store, 11, 10, kPlainText, "Welcome", "Hello & welcome");
  addNode(store, 18, 11, kPlainText, "Under plain text", "never shown");
  addNode(store, 12, 10, kRichText, "Formatted",
          "{\\rtf1\\ansi Some {\\b bold} text " + dibPicture(RGB(0, 128, 255), 600, 300) + ".\\par}");
  addNode(store, 13, 10, kHtml, "Web page", "<html><body><p>Page</p></body></html>");
  addNode(store, 14, 10, kWebArchive, "Archive", "MIME-Version: 1.0\r\n\r\narchive");
  addNode(store, 15, 10, kSecondContainer, "Chapter").icon = keepNodeIcon(LoadIcon(nullptr, IDI_INFORMATION));
  addNode(store, 16, 15, kPlainText, "Notes", "plain notes");
  addNode(store, 17, 15, kRichText, "Deep", "{\\rtf1\\ansi Deep text.\\par}");
  addNode(store, 19, 77, kPlainText, "Orphan", "never shown");
  if (withUnknownKind) addNode(store, 20, 10, 9, "Odd kind", "unknown");
}

void MainWindowTest::SetUp() {
  tly::hostState() = tly::HostState();
  tly::hostState().currentNodeId = 16;
  ExportSettings::Instance() = ExportSettings();
  RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\Brenmoor\\Tessaly\\Plugins\\Tessaly2CHM");
  placeConverter(true);
  placeCompiler(true);
  fillMixedDocument(store, false);
}

ExportNode& addNode(NodeStore& store, int id, int parentId, int kind, const std::string& header,
                    const std::string& text) {
  auto node = std::make_unique<ExportNode>();
  node->id = id;
  node->parentId = parentId;
  node->kind = kind;
  node->header = header;
  node->text = text;
  ExportNode& added = *node;
  store.Append(std::move(node));
  return added;
}

}  // namespace t2c
