// The stand-in's main window and its menu of plug-in entries.
#include "host/host_window_win.h"

#include <commctrl.h>

#include "host/host_state_win.h"

namespace tly {

namespace {

constexpr char kClassName[] = "TessalyStandInWindow";
constexpr int kTreeId = 100;
constexpr int kStatusId = 101;
constexpr int kExitCommand = 40001;
constexpr int kFirstEntryCommand = 41000;

}  // namespace

HostWindow::HostWindow(const Document& document, const PluginLibrary& plugin)
    : document_(document), plugin_(plugin) {
  HostState& state = hostState();
  state.documentPath = document.path;
  state.currentNodeId = document.nodes.empty() ? -1 : document.nodes.front().id;
  state.nodeTitles.clear();
  for (const DocumentNode& node : document.nodes) state.nodeTitles[node.id] = node.header;
  state.showStatusText = [this](const std::string& text) { SetStatus(text); };
  state.showNode = [this](int id) {
    if (id >= 0 && static_cast<size_t>(id) < document_.nodes.size()) SelectNode(id);
  };
  state.reReadPlugins = [this] { BuildMenu(); };
}

HostWindow::~HostWindow() {
  HostState& state = hostState();
  state.showStatusText = nullptr;
  state.showNode = nullptr;
  state.reReadPlugins = nullptr;
  if (window_) DestroyWindow(window_);
}

bool HostWindow::Create(int show) {
  INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_TREEVIEW_CLASSES | ICC_BAR_CLASSES};
  InitCommonControlsEx(&controls);
  WNDCLASSA windowClass = {};
  windowClass.lpfnWndProc = Procedure;
  windowClass.hInstance = GetModuleHandleA(nullptr);
  windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
  windowClass.hIcon = LoadIcon(nullptr, IDI_APPLICATION);
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  windowClass.lpszClassName = kClassName;
  RegisterClassA(&windowClass);
  const std::string caption = document_.nodes.front().header + " - Tessaly";
  window_ = CreateWindowA(kClassName, caption.c_str(), WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT, 520, 600,
                          nullptr, nullptr, windowClass.hInstance, this);
  if (!window_) return false;
  ShowWindow(window_, show);
  UpdateWindow(window_);
  return true;
}

LRESULT CALLBACK HostWindow::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* self = static_cast<HostWindow*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
    self->window_ = window;
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  }
  auto* self = reinterpret_cast<HostWindow*>(GetWindowLongPtrA(window, GWLP_USERDATA));
  return self ? self->Handle(window, message, wParam, lParam) : DefWindowProcA(window, message, wParam, lParam);
}

LRESULT HostWindow::Handle(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE:
      OnCreate();
      return 0;
    case WM_SIZE:
      OnSize(LOWORD(lParam), HIWORD(lParam));
      return 0;
    case WM_COMMAND:
      OnCommand(LOWORD(wParam));
      return 0;
    case WM_NOTIFY: {
      const auto* header = reinterpret_cast<const NMHDR*>(lParam);
      if (header->idFrom == kTreeId && header->code == TVN_SELCHANGEDA)
        OnSelectionChanged(*reinterpret_cast<const NMTREEVIEWA*>(lParam));
      return 0;
    }
    case WM_CLOSE:
      // Closing while an export runs would pull the document from under the plug-in.
      if (!exporting_) DestroyWindow(window);
      return 0;
    case WM_DESTROY:
      window_ = nullptr;
      PostQuitMessage(0);
      return 0;
    default:
      return DefWindowProcA(window, message, wParam, lParam);
  }
}

void HostWindow::OnCreate() {
  const HINSTANCE instance = GetModuleHandleA(nullptr);
  tree_ = CreateWindowExA(WS_EX_CLIENTEDGE, WC_TREEVIEWA, "",
                          WS_CHILD | WS_VISIBLE | WS_TABSTOP | TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT |
                              TVS_SHOWSELALWAYS,
                          0, 0, 0, 0, window_, reinterpret_cast<HMENU>(kTreeId), instance, nullptr);
  status_ = CreateWindowExA(0, STATUSCLASSNAMEA, "", WS_CHILD | WS_VISIBLE | SBARS_SIZEGRIP, 0, 0, 0, 0, window_,
                            reinterpret_cast<HMENU>(kStatusId), instance, nullptr);
  FillTree();
  BuildMenu();
  SelectNode(0);
  SetStatus("Ready");
}

void HostWindow::OnSize(int width, int height) {
  SendMessageA(status_, WM_SIZE, 0, 0);
  RECT bar = {};
  GetWindowRect(status_, &bar);
  MoveWindow(tree_, 0, 0, width, height - (bar.bottom - bar.top), TRUE);
}

void HostWindow::FillTree() {
  items_.assign(document_.nodes.size(), nullptr);
  for (size_t i = 0; i < document_.nodes.size(); ++i) {
    const DocumentNode& node = document_.nodes[i];
    TVINSERTSTRUCTA insert = {};
    insert.hParent = i == 0 ? TVI_ROOT : items_[static_cast<size_t>(node.parentId)];
    insert.hInsertAfter = TVI_LAST;
    insert.item.mask = TVIF_TEXT | TVIF_PARAM;
    insert.item.pszText = const_cast<char*>(node.header.c_str());
    insert.item.lParam = static_cast<LPARAM>(i);
    items_[i] = reinterpret_cast<HTREEITEM>(SendMessageA(tree_, TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&insert)));
  }
  if (!items_.empty()) SendMessageA(tree_, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(items_[0]));
}

void HostWindow::BuildMenu() {
  description_ = describePlugin(plugin_);
  entries_ = readMenu(plugin_, description_.menuItemCount);
  HMENU bar = CreateMenu();
  HMENU file = CreatePopupMenu();
  AppendMenuA(file, MF_STRING, kExitCommand, "E&xit");
  AppendMenuA(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(file), "&File");
  HMENU plugins = CreatePopupMenu();
  HMENU own = CreatePopupMenu();
  for (const PluginMenuEntry& entry : entries_) {
    if (entry.IsSeparator()) {
      AppendMenuA(own, MF_SEPARATOR, 0, nullptr);
      continue;
    }
    AppendMenuA(own, MF_STRING | (entry.IsChecked() ? MF_CHECKED : 0u),
                static_cast<UINT_PTR>(kFirstEntryCommand + entry.index), entry.caption.c_str());
  }
  const std::string name = description_.title.empty() ? std::string("Plug-in") : description_.title;
  AppendMenuA(plugins, MF_POPUP, reinterpret_cast<UINT_PTR>(own), name.c_str());
  AppendMenuA(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(plugins), "&Plugins");
  if (window_) SetMenu(window_, bar);
  if (menu_) DestroyMenu(menu_);
  menu_ = bar;
}

void HostWindow::OnCommand(int id) {
  if (id == kExitCommand) {
    PostMessageA(window_, WM_CLOSE, 0, 0);
    return;
  }
  if (id >= kFirstEntryCommand && id < kFirstEntryCommand + static_cast<int>(entries_.size()))
    RunEntry(id - kFirstEntryCommand);
}

bool HostWindow::RunEntry(int index, ExportOutcome* result) {
  if (exporting_ || index < 0 || static_cast<size_t>(index) >= entries_.size()) return false;
  const PluginMenuEntry entry = entries_[static_cast<size_t>(index)];
  if (entry.IsSeparator()) return false;
  if (!entry.IsExport()) return runCommandEntry(plugin_, entry);

  int current = 0;
  for (size_t i = 0; i < document_.nodes.size(); ++i)
    if (document_.nodes[i].id == hostState().currentNodeId) current = static_cast<int>(i);
  std::vector<const DocumentNode*> nodes;
  if (entry.IsBranchExport()) {
    nodes = document_.Branch(current);
  } else {
    for (const DocumentNode& node : document_.nodes) nodes.push_back(&node);
  }
  // The document stays put while the plug-in works on it: no second export, no closing.
  exporting_ = true;
  EnableWindow(window_, FALSE);
  ExportOutcome outcome = runExportEntry(plugin_, entry, nodes);
  EnableWindow(window_, TRUE);
  exporting_ = false;
  SetStatus(outcome.error.empty() ? "Ready" : outcome.error);
  if (result) *result = outcome;
  if (onExportDone) onExportDone(outcome);
  return outcome.error.empty();
}

void HostWindow::SelectNode(int index) {
  if (index < 0 || static_cast<size_t>(index) >= items_.size()) return;
  hostState().currentNodeId = document_.nodes[static_cast<size_t>(index)].id;
  SendMessageA(tree_, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(items_[static_cast<size_t>(index)]));
  SendMessageA(tree_, TVM_ENSUREVISIBLE, 0, reinterpret_cast<LPARAM>(items_[static_cast<size_t>(index)]));
}

void HostWindow::OnSelectionChanged(const NMTREEVIEWA& change) {
  const auto index = static_cast<size_t>(change.itemNew.lParam);
  if (index < document_.nodes.size()) hostState().currentNodeId = document_.nodes[index].id;
}

void HostWindow::SetStatus(const std::string& text) {
  if (!status_) return;
  // Painted when the host next waits for messages, as on Windows: Wine's status bar paints each
  // text at once, a display-server round trip per node of an export.
  SendMessageA(status_, WM_SETREDRAW, FALSE, 0);
  SendMessageA(status_, SB_SETTEXTA, 0, reinterpret_cast<LPARAM>(text.c_str()));
  SendMessageA(status_, WM_SETREDRAW, TRUE, 0);
  InvalidateRect(status_, nullptr, FALSE);
}

}  // namespace tly
