// NodeTreeView: filling, marks, the node menu's commands and the tree's notifications.
#include "ui/node_tree_view_win.h"

#include <shellapi.h>

#include <algorithm>

#include "plugin/ansi_text_win.h"
#include "plugin/host_services_win.h"
#include "plugin/node_icons_win.h"
#include "plugin/plugin_module_win.h"
#include "resources/icons.h"
#include "resources/node_menu.h"
#include "ui/window_rules.h"

namespace t2c {

namespace {

constexpr int kContainerImage = 0;
constexpr int kPlainImage = 1;
constexpr int kRtfImage = 2;
constexpr int kHtmlImage = 3;
constexpr int kArchiveImage = 4;

int imageOfKind(int32_t kind) {
  switch (kind) {
    case kPlainText: return kPlainImage;
    case kWebArchive: return kArchiveImage;
    case kRichText: return kRtfImage;
    case kHtml: return kHtmlImage;
    case kContainer: case kSecondContainer: case kThirdContainer: return kContainerImage;
    default: return I_IMAGENONE;  // -1 would ask the window for an image through a callback
  }
}

// Adds the icon at the next index; a blank image keeps the fixed indices when there is none.
void addFixedImage(HIMAGELIST images, HICON icon) {
  int next = ImageList_GetImageCount(images);
  if (!icon || ImageList_AddIcon(images, icon) < 0) ImageList_SetImageCount(images, next + 1);
}

void addSystemImage(HIMAGELIST images, const char* extension) {
  SHFILEINFOA info = {};
  SHGetFileInfoA(extension, FILE_ATTRIBUTE_NORMAL, &info, sizeof info,
                 SHGFI_ICON | SHGFI_SMALLICON | SHGFI_USEFILEATTRIBUTES);
  addFixedImage(images, info.hIcon);
  if (info.hIcon) DestroyIcon(info.hIcon);
}

bool setItemState(HWND tree, HTREEITEM handle, UINT state, UINT mask) {
  TVITEMA item = {};
  item.mask = TVIF_STATE;
  item.hItem = handle;
  item.state = state;
  item.stateMask = mask;
  return SendMessageA(tree, TVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&item)) != 0;
}

void setMenuState(HMENU menu, UINT command, const MenuItemState& state) {
  EnableMenuItem(menu, command, MF_BYCOMMAND | (state.enabled ? MF_ENABLED : MF_GRAYED));
  CheckMenuItem(menu, command, MF_BYCOMMAND | (state.checked ? MF_CHECKED : MF_UNCHECKED));
}

}  // namespace

HIMAGELIST createNodeImages(size_t nodeIcons, COLORREF background) {
  constexpr size_t kFixedImages = 5;
  const int room = static_cast<int>(std::min<size_t>(kFixedImages + nodeIcons, 0x7FFF));
  HIMAGELIST images = ImageList_Create(16, 16, ILC_COLOR32 | ILC_MASK, room, 16);
  if (!images) return nullptr;
  ImageList_SetBkColor(images, background);
  HICON container = static_cast<HICON>(
      LoadImageA(pluginInstance(), MAKEINTRESOURCEA(IDI_CONTAINER), IMAGE_ICON, 16, 16, LR_DEFAULTCOLOR));
  addFixedImage(images, container);
  if (container) DestroyIcon(container);
  for (const char* extension : {".txt", ".rtf", ".htm", ".mht"}) addSystemImage(images, extension);
  return images;
}

NodeTreeView::~NodeTreeView() {
  if (strikeOutFont_) DeleteObject(strikeOutFont_);
}

void NodeTreeView::Attach(HWND tree, HWND owner) {
  tree_ = tree;
  owner_ = owner;
}

void NodeTreeView::Fill(const std::vector<ExportNode*>& nodes, HIMAGELIST images) {
  // Not redrawn while it fills: a tree view that redraws works out its visible items and scroll
  // bars again with every item inserted.
  SendMessageA(tree_, WM_SETREDRAW, FALSE, 0);
  TreeView_DeleteAllItems(tree_);
  handles_.clear();
  unshown_.clear();
  imageOf_.clear();
  images_ = images;
  firstArticle_ = nullptr;
  marks_ = ExclusionMarks();
  fillNodeTree(model_, nodes);
  walkTreeWithDepths(model_, model_.Root(), [](TreeItem* item, uint32_t level, void* view) {
    if (level == kShownLevels) static_cast<NodeTreeView*>(view)->unshown_.push_back(item);
    return true;
  }, this);
  if (TreeItem* root = model_.Root()) {
    Show(root, nullptr, nullptr, 0);
    if (model_.Count() <= kFilledAtOnce) {
      // The walk reaches every item after its parent has put it in, so every item goes in.
      walkTree(model_, root, [](TreeItem* item, void* view) {
        static_cast<NodeTreeView*>(view)->ShowChildren(item);
        return true;
      }, this);
    } else {
      ShowChildren(root);
    }
    TreeView_Expand(tree_, HandleOf(root), TVE_EXPAND);
  }
  SendMessageA(tree_, WM_SETREDRAW, TRUE, 0);
  InvalidateRect(tree_, nullptr, TRUE);
}

HTREEITEM NodeTreeView::Show(TreeItem* item, HTREEITEM parent, HTREEITEM after, uint32_t level) {
  int image = imageOfKind(item->node->kind);
  if (HICON icon = keptIconImage(item->node->icon); icon && images_) {
    auto known = imageOf_.find(icon);
    if (known == imageOf_.end()) known = imageOf_.emplace(icon, ImageList_AddIcon(images_, icon)).first;
    if (known->second >= 0) image = known->second;
  }
  const bool cut = item->node->excluded != 0;
  TVINSERTSTRUCTA insert = {};
  insert.hParent = parent ? parent : TVI_ROOT;
  // Windows finds TVI_LAST by walking the siblings already there; naming the previous sibling
  // keeps filling a folder of many notes linear.
  insert.hInsertAfter = after ? after : TVI_FIRST;
  insert.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_PARAM | TVIF_STATE | TVIF_CHILDREN;
  insert.item.pszText = const_cast<char*>(item->label.c_str());
  insert.item.iImage = insert.item.iSelectedImage = image;
  insert.item.lParam = reinterpret_cast<LPARAM>(item);
  insert.item.state = (cut ? TVIS_CUT : 0) | (item == firstArticle_ ? TVIS_BOLD : 0);
  insert.item.stateMask = TVIS_CUT | TVIS_BOLD;
  // The button shows before the children are in the control.
  insert.item.cChildren = item->firstChild && level + 1 < kShownLevels ? 1 : 0;
  auto handle =
      reinterpret_cast<HTREEITEM>(SendMessageA(tree_, TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&insert)));
  if (handle) handles_[item] = {handle, cut, level, false};
  return handle;
}

void NodeTreeView::ShowChildren(const TreeItem* item) {
  auto found = handles_.find(item);
  if (found == handles_.end() || found->second.childrenShown) return;
  found->second.childrenShown = true;
  const HTREEITEM parent = found->second.handle;
  const uint32_t level = found->second.level + 1;
  if (level >= kShownLevels) return;
  HTREEITEM previous = nullptr;
  for (TreeItem* child = item->firstChild; child; child = child->nextSibling) {
    if (HTREEITEM handle = Show(child, parent, previous, level)) previous = handle;
  }
}

HTREEITEM NodeTreeView::Reveal(const TreeItem* item) {
  if (!item) return nullptr;
  if (HTREEITEM handle = HandleOf(item)) return handle;
  std::vector<const TreeItem*> ancestors;
  for (const TreeItem* ancestor = item->parent; ancestor; ancestor = ancestor->parent) ancestors.push_back(ancestor);
  for (auto it = ancestors.rbegin(); it != ancestors.rend(); ++it) ShowChildren(*it);
  return HandleOf(item);
}

HTREEITEM NodeTreeView::HandleOf(const TreeItem* item) const {
  auto found = handles_.find(item);
  return found == handles_.end() ? nullptr : found->second.handle;
}

TreeItem* NodeTreeView::Selected() const {
  HTREEITEM selected = TreeView_GetSelection(tree_);
  if (!selected) return nullptr;
  TVITEMA item = {};
  item.mask = TVIF_PARAM;
  item.hItem = selected;
  if (!SendMessageA(tree_, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item))) return nullptr;
  return ItemOf(item.lParam);
}

void NodeTreeView::MarkHostCurrentNode() {
  TreeItem* item = model_.FindById(host::command(kCommandCurrentNodeId, 0, nullptr));
  if (!item) return;
  // A node below the shown levels is the first article all the same, without a mark.
  SetFirstArticle(item);
  if (!HandleOf(item)) return;
  for (TreeItem* ancestor = item->parent; ancestor; ancestor = ancestor->parent)
    TreeView_Expand(tree_, HandleOf(ancestor), TVE_EXPAND);
  TreeView_SelectItem(tree_, HandleOf(item));
}

void NodeTreeView::SetFirstArticle(TreeItem* item) {
  if (firstArticle_) {
    setItemState(tree_, HandleOf(firstArticle_), 0, TVIS_BOLD);
    firstArticle_ = nullptr;
  }
  firstArticle_ = item;
  if (HTREEITEM handle = Reveal(item)) setItemState(tree_, handle, TVIS_BOLD, TVIS_BOLD);
}

void NodeTreeView::ShowMarks() {
  for (auto& entry : handles_) {
    const bool cut = entry.first->node->excluded != 0;
    if (cut != entry.second.cut && setItemState(tree_, entry.second.handle, cut ? TVIS_CUT : 0, TVIS_CUT))
      entry.second.cut = cut;
  }
  InvalidateRect(tree_, nullptr, TRUE);
  UpdateWindow(tree_);
}

int32_t NodeTreeView::ApplyMode(int32_t convertHtml) {
  int32_t skipped = marks_.ApplyMode(model_, convertHtml);
  ShowMarks();
  return skipped;
}

void NodeTreeView::ToggleSelectedExclusion() {
  TreeItem* selected = Selected();
  if (!selected) return;
  marks_.Toggle(model_, selected);
  ShowMarks();
}

void NodeTreeView::IncludeAll() {
  marks_.IncludeAll(model_);
  ShowMarks();
}

void NodeTreeView::RenameSelected() {
  HTREEITEM selected = TreeView_GetSelection(tree_);
  if (!selected) return;
  SetFocus(tree_);
  TreeView_EditLabel(tree_, selected);
}

void NodeTreeView::ShowSelectedInHost() {
  TreeItem* selected = Selected();
  if (!selected) return;
  // The host reads the node id in place of the pointer.
  host::command(kCommandShowNode, 0, reinterpret_cast<void*>(static_cast<INT_PTR>(selected->node->id)));
}

bool NodeTreeView::IsEditingLabel() const { return TreeView_GetEditControl(tree_) != nullptr; }

void NodeTreeView::EndLabelEditKeepingText() { TreeView_EndEditLabelNow(tree_, FALSE); }

void NodeTreeView::UpdateMenu(HMENU menu) const {
  NodeMenuStates states = nodeMenuStates(model_, Selected(), firstArticle_);
  setMenuState(menu, ID_NODE_RENAME, states.rename);
  setMenuState(menu, ID_NODE_SHOW_IN_HOST, states.showInHost);
  setMenuState(menu, ID_NODE_FIRST_ARTICLE, states.firstArticle);
  setMenuState(menu, ID_NODE_EXCLUDE, states.exclude);
  setMenuState(menu, ID_NODE_INCLUDE_ALL, states.includeAll);
}

bool NodeTreeView::OnNotify(const NMHDR& header, LRESULT& result) {
  if (header.hwndFrom != tree_) return false;
  switch (header.code) {
    case NM_CUSTOMDRAW:
      result = OnCustomDraw(*reinterpret_cast<NMTVCUSTOMDRAW*>(const_cast<NMHDR*>(&header)));
      return true;
    case NM_RCLICK:
      OnRightClick();
      result = TRUE;
      return true;
    case NM_DBLCLK:
      ShowSelectedInHost();
      result = FALSE;
      return true;
    case TVN_ITEMEXPANDINGA:
    case TVN_ITEMEXPANDINGW: {
      // The item's data sits at the same place in either form of the notification.
      const auto& expanding = reinterpret_cast<const NMTREEVIEWA&>(header);
      if (expanding.action & TVE_EXPAND) ShowChildren(ItemOf(expanding.itemNew.lParam));
      result = FALSE;
      return true;
    }
    case TVN_ENDLABELEDITA: {
      const auto& edit = reinterpret_cast<const NMTVDISPINFOA&>(header);
      if (edit.item.pszText) AcceptLabel(ItemOf(edit.item.lParam), edit.item.pszText);
      result = edit.item.pszText != nullptr;
      return true;
    }
    case TVN_ENDLABELEDITW: {
      const auto& edit = reinterpret_cast<const NMTVDISPINFOW&>(header);
      if (edit.item.pszText) AcceptLabel(ItemOf(edit.item.lParam), wideToAnsi(edit.item.pszText, lstrlenW(edit.item.pszText)));
      result = edit.item.pszText != nullptr;
      return true;
    }
    default:
      return false;
  }
}

void NodeTreeView::AcceptLabel(TreeItem* item, const std::string& label) {
  if (item) item->label = label;
}

LRESULT NodeTreeView::OnCustomDraw(NMTVCUSTOMDRAW& draw) {
  if (draw.nmcd.dwDrawStage == CDDS_PREPAINT) return CDRF_NOTIFYITEMDRAW;
  if (draw.nmcd.dwDrawStage != CDDS_ITEMPREPAINT) return CDRF_DODEFAULT;
  TreeItem* item = ItemOf(draw.nmcd.lItemlParam);
  if (!item || !item->node || !item->node->excluded) return CDRF_DODEFAULT;
  if (!strikeOutFont_) {
    LOGFONTA description = {};
    auto current = reinterpret_cast<HFONT>(SendMessageA(tree_, WM_GETFONT, 0, 0));
    if (!current) current = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    if (GetObjectA(current, sizeof description, &description) != sizeof description) return CDRF_DODEFAULT;
    description.lfStrikeOut = TRUE;
    strikeOutFont_ = CreateFontIndirectA(&description);
    if (!strikeOutFont_) return CDRF_DODEFAULT;
  }
  SelectObject(draw.nmcd.hdc, strikeOutFont_);
  return CDRF_NEWFONT;
}

void NodeTreeView::OnRightClick() {
  // Where the click was, not where the cursor is by now: it may have moved on since.
  const DWORD clicked = GetMessagePos();
  POINT cursor = {static_cast<short>(LOWORD(clicked)), static_cast<short>(HIWORD(clicked))};
  TVHITTESTINFO hit = {};
  hit.pt = cursor;
  ScreenToClient(tree_, &hit.pt);
  if (HTREEITEM item = TreeView_HitTest(tree_, &hit)) TreeView_SelectItem(tree_, item);
  PostMessageA(owner_, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(owner_), MAKELPARAM(cursor.x, cursor.y));
}

}  // namespace t2c
