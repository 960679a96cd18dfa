// The two-phase export protocol: begin, one call per node, finish.
#include <cstring>
#include <memory>
#include <string>

#include "model/export_settings.h"
#include "model/node_store.h"
#include "plugin/ansi_text_win.h"
#include "plugin/export_guard_win.h"
#include "plugin/host_records_win.h"
#include "plugin/host_services_win.h"
#include "plugin/node_copy_win.h"
#include "plugin/plugin_module_win.h"
#include "plugin/plugin_text.h"
#include "project/build_trace_win.h"
#include "project/tick_clock.h"
#include "resources/strings.h"
#include "ui/export_dialog_win.h"
#include "ui/progress_window_win.h"

namespace t2c {
namespace {

std::unique_ptr<ProgressWindow> g_progress;
// While the main window is open its tree points into the store: a host that posts another
// begin, node or finish meanwhile is refused, and nothing changes.
bool g_windowOpen = false;
// A document of many small notes arrives faster than the status bar and the progress window can
// be repainted (each showing costs more than copying a node): ten headers a second are shown.
ShowingPace g_announcing(100);
// Whether the last node collected went unannounced; the end of collecting shows its header, so
// that the status bar does not keep an earlier one.
bool g_lastUnannounced = false;

void announce(const char* header) {
  const std::string status = loadString(IDS_GET_TEXT_FROM) + " " + (header ? header : "");
  host::setStatusBarText(status);
  if (g_progress) g_progress->SetText(status);
  g_announcing.Shown();
  g_lastUnannounced = false;
}

void beginExport(InitInfo& info, bool branch) {
  traceEvent("collect begin");
  NodeStore::Instance().Clear();
  if (branch) info.flags |= kInitBranch;
  if (ExportSettings::Instance().ExportWithSyntaxH) info.flags |= kInitSyntaxHighlighting;
  // A begin without a finish replaces the earlier window instead of leaving it behind.
  g_progress.reset();
  g_progress = ProgressWindow::Show();
  g_announcing.Restart();
  g_lastUnannounced = false;
}

// The room the host fills with the document's path.
constexpr int32_t kDocumentPathRoom = 780;
// A node title the host claims to be longer than this is not asked for.
constexpr int32_t kLongestNodeTitle = 1 << 20;

// The first node's header on one line without blanks at its ends, else the document's file name
// without folder and extension.
std::string documentExportTitle() {
  const NodeStore& store = NodeStore::Instance();
  std::string title = store.Count() > 0 ? trimHeader(oneLineText(store[0]->header)) : std::string();
  if (!title.empty()) return title;
  char path[kDocumentPathRoom] = {};
  host::command(kCommandDocumentPath, kDocumentPathRoom, path);
  // Only the buffer is read, whether or not the host ended the path within it.
  return documentTitleFromPath(std::string(path, strnlen(path, sizeof path)), isAnsiLeadByte);
}

// The branch's top node's title as the host knows it, asked for in two calls: its length first.
std::string branchExportTitle() {
  const NodeStore& store = NodeStore::Instance();
  if (store.Count() == 0 || store[0]->id == -1) return std::string();
  const int32_t id = store[0]->id;
  const int32_t length = host::command(kCommandNodeTitle, id, nullptr);
  if (length < 0 || length > kLongestNodeTitle) return std::string();
  std::string title(static_cast<size_t>(length) + 1, '\0');
  host::command(kCommandNodeTitle, id, &title[0]);
  title.resize(strnlen(title.c_str(), static_cast<size_t>(length)));
  return oneLineText(title);
}

void finishExport(bool branch) {
  traceEvent("collect end");
  if (g_lastUnannounced && NodeStore::Instance().Count() > 0)
    announce(NodeStore::Instance()[NodeStore::Instance().Count() - 1]->header.c_str());
  const std::string title = branch ? branchExportTitle() : documentExportTitle();
  g_progress.reset();
  const std::string caption = loadString(branch ? IDS_MENU_BRANCH : IDS_MENU_DOCUMENT);
  auto dialog = std::make_unique<ExportDialog>(title, caption, &NodeStore::Instance(), nullptr);
  struct OpenWhileRunning {
    OpenWhileRunning() { g_windowOpen = true; }
    ~OpenWhileRunning() { g_windowOpen = false; }
  };
  {
    const OpenWhileRunning open;
    dialog->Run();
  }
  // The window is closed: nothing reads the nodes any more.
  NodeStore::Instance().Clear();
  if (dialog->syntaxChanged()) host::reReadPluginsInfo(pluginInstance());
  dialog.reset();
}

int initExport(InitInfo* info, bool branch) {
  return guardedExport(1, [&] {
    if (g_windowOpen) return 0;
    if (!info) return 1;
    if (info->isStart)
      beginExport(*info, branch);
    else
      finishExport(branch);
    return 1;
  });
}

}  // namespace
}  // namespace t2c

using namespace t2c;

extern "C" int __cdecl InitDoc2CHM(InitInfo* info) { return initExport(info, false); }

extern "C" int __cdecl InitBranch2CHM(InitInfo* info) { return initExport(info, true); }

extern "C" int __cdecl Export2CHM(NodeInfo* info) {
  return guardedExport(0, [&] {
    if (!info || g_windowOpen) return 0;
    const TracedPhase copying("node");
    if (g_announcing.Due())
      announce(info->header);
    else
      g_lastUnannounced = true;
    NodeStore::Instance().Append(copyNode(*info));
    return 1;
  });
}
