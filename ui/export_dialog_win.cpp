// ExportDialog: construction, the modal run, the opening sequence, the options and the closing.
#include "ui/export_dialog_win.h"

#include <shellapi.h>

#include "convert/converter_call_win.h"
#include "model/export_settings.h"
#include "plugin/host_services_win.h"
#include "plugin/node_icons_win.h"
#include "plugin/plugin_module_win.h"
#include "plugin/plugin_text.h"
#include "project/build_trace_win.h"
#include "project/export_job.h"
#include "project/work_folder_win.h"
#include "resources/main_dialog.h"
#include "resources/node_menu.h"
#include "resources/strings.h"
#include "ui/custom_controls_win.h"
#include "ui/dialog_texts.h"
#include "pictures/rich_edit_callback_win.h"
#include "ui/thread_modality_win.h"
#include "ui/window_rules.h"

namespace t2c {

namespace {

constexpr int kConversionButtons[] = {IDC_RTF_TO_HTML, IDC_RTF_ARTICLE, IDC_RTF_SKIP, IDC_RTF_LINK_PAGE};
static_assert(sizeof kConversionButtons / sizeof kConversionButtons[0] == kRtfModeCount, "one button per RTF mode");
constexpr int kOptionButtons[] = {IDC_RTF_TO_HTML, IDC_RTF_ARTICLE, IDC_RTF_SKIP, IDC_RTF_LINK_PAGE,
                                  IDC_WITH_PICTURES, IDC_FULL_TEXT_SEARCH, IDC_SYNTAX_HIGHLIGHTING,
                                  IDC_PLAIN_AS_HTML};
constexpr char kConverterLibrary[] = "irun.dll";

// The dialog manager leaves a template without a position at the owner's corner.
void centreWindow(HWND window, HWND owner) {
  RECT area, own;
  if (owner && IsWindowVisible(owner) && !IsIconic(owner))
    GetWindowRect(owner, &area);
  else
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
  GetWindowRect(window, &own);
  int x = area.left + ((area.right - area.left) - (own.right - own.left)) / 2;
  int y = area.top + ((area.bottom - area.top) - (own.bottom - own.top)) / 2;
  SetWindowPos(window, nullptr, x < 0 ? 0 : x, y < 0 ? 0 : y, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
}

bool tooltipsShowLinks() {
  OSVERSIONINFOA version = {};
  version.dwOSVersionInfoSize = sizeof version;
  if (!GetVersionExA(&version)) return false;
  return tooltipLinksSupported(version.dwMajorVersion, version.dwMinorVersion);
}

}  // namespace

ExportDialog::ExportDialog(const std::string& chmTitle, const std::string& modeCaption, const NodeStore* store,
                           HWND parent)
    : modeCaption_(modeCaption), chmTitle_(chmTitle), parent_(parent) {
  if (store) nodes_ = store->Nodes();
  const ExportSettings& settings = ExportSettings::Instance();
  // A stored mode outside the radio group would leave no button checked: take the default.
  convertHtml_ = isKnownRtfMode(settings.ConvertHTML) ? settings.ConvertHTML : kRtfToHtml;
  fullTextSearch_ = settings.MakeFullSearch;
  plainTextAsHtml_ = settings.ExportPlainTextAsHTML;
  syntaxHighlighting_ = settings.ExportWithSyntaxH;
  pictures_ = settings.WithPictures;
  syntaxAtOpening_ = settings.ExportWithSyntaxH != 0;
  pluginsFolderPath_ = pluginsFolder() + "\\";
}

ExportDialog::~ExportDialog() {
  if (!workFolder_.empty()) removeWorkFolder(workFolder_);
  if (images_) ImageList_Destroy(images_);
  if (hostFont_) DeleteObject(hostFont_);
  if (bigIcon_) DestroyIcon(bigIcon_);
  if (smallIcon_) DestroyIcon(smallIcon_);
  if (viewerProcess_) CloseHandle(viewerProcess_);
}

void ExportDialog::Run() {
  ended_ = false;
  // Owned by the window the user worked in, so that it opens over the host; and nothing of the
  // host can be used meanwhile, since a new export would take the nodes this window shows.
  if (!parent_) parent_ = GetActiveWindow();
  ThreadModality modality;
  if (!parent_) parent_ = modality.TopVisible();
  HWND window = CreateDialogParamA(pluginInstance(), MAKEINTRESOURCEA(IDD_MAIN), parent_, DialogProc,
                                   reinterpret_cast<LPARAM>(this));
  if (!window) return;
  ShowWindow(window, SW_SHOW);
  bool quit = false;
  WPARAM quitCode = 0;
  MSG message;
  while (!ended_) {
    BOOL got = GetMessageA(&message, nullptr, 0, 0);
    if (got <= 0) {
      quit = got == 0;
      quitCode = message.wParam;
      break;
    }
    if (PreTranslate(message)) continue;
    if (!IsDialogMessageA(window, &message)) {
      TranslateMessage(&message);
      DispatchMessageA(&message);
    }
  }
  // The owner takes the activation back before the window goes (unless it went first and took
  // the window with it).
  modality.Release();
  if (IsWindow(window)) DestroyWindow(window);
  if (quit) PostQuitMessage(static_cast<int>(quitCode));
}

void ExportDialog::EndModal() {
  ended_ = true;
  // A message sent from another thread (a closing owner, the end of the session) is handled
  // inside GetMessage, which would go on waiting for one of its own.
  PostMessageA(nullptr, WM_NULL, 0, 0);
}

INT_PTR CALLBACK ExportDialog::DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    SetWindowLongPtrA(window, DWLP_USER, lParam);
    reinterpret_cast<ExportDialog*>(lParam)->window_ = window;
  }
  auto* self = reinterpret_cast<ExportDialog*>(GetWindowLongPtrA(window, DWLP_USER));
  if (!self) return FALSE;
  try {
    return self->HandleMessage(message, wParam, lParam);
  } catch (...) {
    // Nothing may unwind through the system's frames.
    return FALSE;
  }
}

INT_PTR ExportDialog::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      OnInitDialog();
      return TRUE;
    case WM_COMMAND:
      OnCommand(LOWORD(wParam), HIWORD(wParam));
      return TRUE;
    case WM_NOTIFY:
      OnNotify(*reinterpret_cast<const NMHDR*>(lParam));
      return TRUE;
    case WM_CONTEXTMENU:
      OnContextMenu(lParam);
      return TRUE;
    case WM_LBUTTONDOWN:
      // Dragging the background moves the window as its caption bar would.
      ReleaseCapture();
      SendMessageA(window_, WM_SYSCOMMAND, SC_MOVE | HTCAPTION, 0);
      return TRUE;
    case WM_CLOSE:
      EndModal();
      return TRUE;
    case WM_DESTROY:
      // Destroyed by something else than the end of the loop (its owner went), the loop ends now.
      if (!ended_) EndModal();
      OnDestroy();
      return FALSE;
    default:
      return FALSE;
  }
}

bool ExportDialog::PreTranslate(MSG& message) {
  EnableWindow(GetDlgItem(window_, IDC_WITH_PICTURES), IsChecked(IDC_RTF_TO_HTML));
  bool ours = message.hwnd == window_ || IsChild(window_, message.hwnd);
  if (tooltip_ && ours && message.message >= WM_MOUSEFIRST && message.message <= WM_MOUSELAST)
    SendMessageA(tooltip_, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&message));
  // The keys that end a label edit must not reach the dialog manager, which would press
  // "Make CHM-file" or close the window.
  if (message.message == WM_KEYDOWN && message.wParam == VK_RETURN && tree_.IsEditingLabel()) {
    tree_.EndLabelEditKeepingText();
    return true;
  }
  // Escape goes to the edit control alone, which cancels the edit as its own key.
  if (message.message == WM_KEYDOWN && message.wParam == VK_ESCAPE && tree_.IsEditingLabel()) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
    return true;
  }
  return false;
}

void ExportDialog::OnInitDialog() {
  const TracedPhase opening("window");
  WriteControls();
  makeHeaderLabel(GetDlgItem(window_, IDC_LOG_HEADING));
  tree_.Attach(GetDlgItem(window_, IDC_NODE_TREE), window_);
  languages_.Fill(GetDlgItem(window_, IDC_LANGUAGE_LIST));
  HWND pictureLoader = GetDlgItem(window_, IDC_PICTURE_LOADER);
  ShowWindow(pictureLoader, SW_HIDE);
  pictureLoaderError_ = attachRichEditCallback(pictureLoader);
  SetUpIcons();

  ModuleVersionInfo version = host::moduleVersion(pluginInstance());
  versionText_ = t2c::versionText(version.major, version.minor, version.release, version.build);
  baseTitle_ = baseTitle(versionText_, modeCaption_);
  SetWindowTextA(window_, baseTitle_.c_str());

  tipPanel_.SetUp(GetDlgItem(window_, IDC_TIP_PANEL));
  SetUpTooltips();
  HCURSOR previousCursor = SetCursor(LoadCursor(nullptr, IDC_WAIT));
  SetUpHostLook();
  tree_.MarkHostCurrentNode();
  for (int id : kOptionButtons) makeOptionButton(GetDlgItem(window_, id));
  if (host::tessalyBuildNumber() < kFirstSyntaxBuild) {
    SetCheck(IDC_SYNTAX_HIGHLIGHTING, false);
    EnableWindow(GetDlgItem(window_, IDC_SYNTAX_HIGHLIGHTING), FALSE);
  }
  RefreshMarks();
  SetCursor(previousCursor);
  centreWindow(window_, parent_);
}

void ExportDialog::SetUpIcons() {
  SHFILEINFOA info = {};
  if (SHGetFileInfoA(".chm", FILE_ATTRIBUTE_NORMAL, &info, sizeof info,
                     SHGFI_ICON | SHGFI_LARGEICON | SHGFI_USEFILEATTRIBUTES) && info.hIcon) {
    bigIcon_ = info.hIcon;
    SendMessageA(window_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(bigIcon_));
  }
  info = {};
  if (SHGetFileInfoA(".chm", FILE_ATTRIBUTE_NORMAL, &info, sizeof info,
                     SHGFI_ICON | SHGFI_SMALLICON | SHGFI_USEFILEATTRIBUTES) && info.hIcon) {
    smallIcon_ = info.hIcon;
    SendMessageA(window_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(smallIcon_));
  }
}

void ExportDialog::SetUpTooltips() {
  tooltip_ = CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_BALLOON, CW_USEDEFAULT,
                             CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, window_, nullptr, pluginInstance(),
                             nullptr);
  if (!tooltip_) return;
  SendMessageA(tooltip_, TTM_ACTIVATE, TRUE, 0);
  SendMessageA(tooltip_, TTM_SETDELAYTIME, TTDT_AUTOPOP, 30000);
  RECT outer;
  GetWindowRect(window_, &outer);
  SendMessageA(tooltip_, TTM_SETMAXTIPWIDTH, 0, (outer.right - outer.left) / 2);
  SendMessageA(tooltip_, TTM_SETTITLEA, TTI_INFO, reinterpret_cast<LPARAM>(kPluginName));

  bool links = tooltipsShowLinks();
  std::string explanation = loadString(IDS_TIP_TRANSLATE);
  if (!explanation.empty()) {
    bool found = converterPresent(pluginsFolderPath_, kConverterLibrary);
    std::string text = converterTooltip(explanation, loadString(found ? IDS_FOUND : IDS_NOT_FOUND), links);
    AddTooltip(IDC_PLAIN_AS_HTML, text, links);
    AddTooltip(IDC_RTF_TO_HTML, text, links);
  }
  const std::pair<int, UINT> plainTips[] = {
      {IDC_SYNTAX_HIGHLIGHTING, IDS_TIP_SYNTAX}, {IDC_NODE_TREE, IDS_TIP_TREE},
      {IDC_RTF_LINK_PAGE, IDS_TIP_RTF_LINK},     {IDC_RTF_SKIP, IDS_TIP_RTF_SKIP},
      {IDC_RTF_ARTICLE, IDS_TIP_RTF_ARTICLE},    {IDC_LOG_LIST, IDS_TIP_LOG},
      {IDC_WITH_PICTURES, IDS_TIP_PICTURES}};
  for (const auto& tip : plainTips) {
    std::string text = loadString(tip.second);
    if (!text.empty()) AddTooltip(tip.first, text, false);
  }
}

void ExportDialog::AddTooltip(int controlId, const std::string& text, bool parseLinks) {
  HWND control = GetDlgItem(window_, controlId);
  if (!control) return;
  TOOLINFOA tool = {};
  // The size every version of the control accepts.
  tool.cbSize = TTTOOLINFOA_V2_SIZE;
  tool.uFlags = TTF_IDISHWND | (parseLinks ? TTF_PARSELINKS : 0);
  tool.hwnd = window_;
  tool.uId = reinterpret_cast<UINT_PTR>(control);
  tool.lpszText = const_cast<char*>(text.c_str());
  if (SendMessageA(tooltip_, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool))) tooltipTexts_[control] = text;
}

void ExportDialog::SetUpHostLook() {
  COLORREF background = host::optionColour(kOptionBackgroundColour);
  COLORREF text = host::optionColour(kOptionTextColour);
  if (background == 0 && text == 0) {
    // A host that gives no colours would leave black text on black.
    background = GetSysColor(COLOR_WINDOW);
    text = GetSysColor(COLOR_WINDOWTEXT);
  }
  HWND tree = GetDlgItem(window_, IDC_NODE_TREE);
  TreeView_SetBkColor(tree, background);
  TreeView_SetTextColor(tree, text);
  TreeView_SetLineColor(tree, text);

  HostOptions options;
  host::getOptions(kOptionFont, options);
  if (options.font.lfFaceName[0]) hostFont_ = CreateFontIndirectA(&options.font);
  if (hostFont_) {
    SendMessageA(tree, WM_SETFONT, reinterpret_cast<WPARAM>(hostFont_), FALSE);
    SendMessageA(GetDlgItem(window_, IDC_LOG_LIST), WM_SETFONT, reinterpret_cast<WPARAM>(hostFont_), FALSE);
  }
  log_.SetUp(GetDlgItem(window_, IDC_LOG_LIST), background, text);

  images_ = createNodeImages(keptIconCount(), background);
  TreeView_SetImageList(tree, images_, TVSIL_NORMAL);
  tree_.Fill(nodes_, images_);
  RefreshMarks();
}

void ExportDialog::OnCommand(int id, int code) {
  switch (id) {
    case IDOK: OnMakeChmFile(); return;
    case IDCANCEL: EndModal(); return;
    case ID_NODE_EXCLUDE: tree_.ToggleSelectedExclusion(); return;
    case ID_NODE_RENAME: tree_.RenameSelected(); return;
    case ID_NODE_FIRST_ARTICLE: tree_.SetFirstArticle(tree_.Selected()); return;
    case ID_NODE_SHOW_IN_HOST: tree_.ShowSelectedInHost(); return;
    case ID_NODE_INCLUDE_ALL: tree_.IncludeAll(); return;
    default: break;
  }
  if (code != BN_CLICKED) return;
  if (id == IDC_RTF_TO_HTML) ConverterCheck();
  if (id == IDC_RTF_ARTICLE || id == IDC_RTF_SKIP || id == IDC_RTF_LINK_PAGE) RefreshMarks();
}

void ExportDialog::OnNotify(const NMHDR& header) {
  LRESULT result = 0;
  if (tree_.OnNotify(header, result)) {
    SetWindowLongPtrA(window_, DWLP_MSGRESULT, result);
    return;
  }
  if (header.hwndFrom == tooltip_ && header.code == TTN_SHOW) {
    auto text = tooltipTexts_.find(reinterpret_cast<HWND>(header.idFrom));
    if (text != tooltipTexts_.end()) tipPanel_.Update(window_, loadString(IDS_TIP_HEADING), text->second);
  }
  SetWindowLongPtrA(window_, DWLP_MSGRESULT, 0);
}

void ExportDialog::OnContextMenu(LPARAM position) {
  POINT at = {static_cast<short>(LOWORD(position)), static_cast<short>(HIWORD(position))};
  if (position == -1) GetCursorPos(&at);
  HMENU menu = LoadMenuA(pluginInstance(), MAKEINTRESOURCEA(IDR_NODE_MENU));
  if (!menu) return;
  if (HMENU popup = GetSubMenu(menu, 0)) {
    tree_.UpdateMenu(popup);
    TrackPopupMenu(popup, TPM_LEFTALIGN | TPM_RIGHTBUTTON, at.x, at.y, 0, window_, nullptr);
  }
  DestroyMenu(menu);
}

void ExportDialog::OnDestroy() {
  ReadControls();
  ExportSettings& settings = ExportSettings::Instance();
  settings.ConvertHTML = convertHtml_;
  settings.MakeFullSearch = fullTextSearch_;
  settings.ExportPlainTextAsHTML = plainTextAsHtml_;
  settings.ExportWithSyntaxH = syntaxHighlighting_;
  settings.WithPictures = pictures_;
  settings.Save();
  syntaxChanged_ = (syntaxHighlighting_ != 0) != syntaxAtOpening_;
  if (tooltip_) DestroyWindow(tooltip_);
  tooltip_ = nullptr;
}

void ExportDialog::ReadControls() {
  for (int32_t mode = kRtfToHtml; mode < kRtfModeCount; ++mode)
    if (IsChecked(kConversionButtons[mode])) convertHtml_ = mode;
  fullTextSearch_ = IsChecked(IDC_FULL_TEXT_SEARCH);
  plainTextAsHtml_ = IsChecked(IDC_PLAIN_AS_HTML);
  syntaxHighlighting_ = IsChecked(IDC_SYNTAX_HIGHLIGHTING);
  pictures_ = IsChecked(IDC_WITH_PICTURES);
  chmTitle_ = ControlText(IDC_CHM_TITLE);
}

void ExportDialog::WriteControls() {
  for (int32_t mode = kRtfToHtml; mode < kRtfModeCount; ++mode)
    SetCheck(kConversionButtons[mode], convertHtml_ == mode);
  SetCheck(IDC_FULL_TEXT_SEARCH, fullTextSearch_ == 1);
  SetCheck(IDC_PLAIN_AS_HTML, plainTextAsHtml_ == 1);
  SetCheck(IDC_SYNTAX_HIGHLIGHTING, syntaxHighlighting_ == 1);
  SetCheck(IDC_WITH_PICTURES, pictures_ != 0);
  SetDlgItemTextA(window_, IDC_CHM_TITLE, chmTitle_.c_str());
}

void ExportDialog::RefreshMarks() {
  ReadControls();
  int32_t skipped = tree_.ApplyMode(convertHtml_);
  int32_t articles = static_cast<int32_t>(tree_.Model().Count()) - skipped;
  SetWindowTextA(window_, countedTitle(baseTitle_, loadString(IDS_ARTICLE_COUNT), articles).c_str());
}

bool ExportDialog::ConverterCheck() {
  bool rtfToHtml = IsChecked(IDC_RTF_TO_HTML);
  bool plainAsHtml = IsChecked(IDC_PLAIN_AS_HTML);
  bool found = (rtfToHtml || plainAsHtml) && converterPresent(pluginsFolderPath_, kConverterLibrary);
  ConverterFallback fallback = converterFallback(rtfToHtml, plainAsHtml, found);
  if (!fallback.passed) {
    Beep();
    ShowError(fillInText(loadString(IDS_LIBRARY_NOT_FOUND), kConverterLibrary));
    if (fallback.uncheckRtfToHtml) {
      SetCheck(IDC_RTF_TO_HTML, false);
      SetCheck(IDC_RTF_ARTICLE, true);
    }
    if (fallback.uncheckPlainAsHtml) SetCheck(IDC_PLAIN_AS_HTML, false);
  }
  RefreshMarks();
  return fallback.passed;
}

void ExportDialog::SetCheck(int id, bool checked) {
  SendDlgItemMessageA(window_, id, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

bool ExportDialog::IsChecked(int id) const {
  return SendDlgItemMessageA(window_, id, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

std::string ExportDialog::ControlText(int id) const {
  HWND control = GetDlgItem(window_, id);
  int length = GetWindowTextLengthA(control);
  std::string text(static_cast<size_t>(length) + 1, '\0');
  length = GetWindowTextA(control, &text[0], length + 1);
  text.resize(static_cast<size_t>(length > 0 ? length : 0));
  return text;
}

void ExportDialog::Beep() const { MessageBeep(0xFFFFFFFF); }

void ExportDialog::ShowError(const std::string& text) const { showMessage(window_, text, MB_OK | MB_ICONERROR); }

}  // namespace t2c
