// Working the plug-in's main window through the window driver.
#include "host/automation_win.h"

#include "host/window_driver_win.h"
#include "model/node_kinds.h"

namespace tly {

namespace {

constexpr char kPluginName[] = "Tessaly2CHM";
constexpr char kBuildButtonText[] = "Make CHM-file";
constexpr int kBuildButton = 1;
constexpr int kCloseButton = 2;
constexpr int kTitleEdit = 3006;
constexpr int kLogList = 3007;
// The radio buttons of the four RTF modes, in mode order, and the check boxes.
constexpr int kModeButtons[] = {3001, 3002, 3004, 3010};
constexpr int kPlainTextAsHtml = 3008;
constexpr int kFullTextSearch = 3005;
constexpr int kSyntax = 3009;
constexpr int kPictures = 3011;
constexpr int kNodeTree = 3000;
constexpr UINT kExcludeCommand = 32771;

// Lower case in the ANSI code page, for comparing labels as Windows compares names.
std::string lowered(std::string text) {
  if (!text.empty()) CharLowerBuffA(&text[0], static_cast<DWORD>(text.size()));
  return text;
}

// The item whose labels from below the root down read `path` ("/" or "\" between them),
// compared without regard to case; null when there is none.
HTREEITEM findByLabelPath(HWND tree, const std::string& path) {
  std::string wanted = lowered(path);
  for (char& c : wanted)
    if (c == '\\') c = '/';
  std::vector<std::string> trail;
  for (const TreeEntry& entry : treeItems(tree)) {
    trail.resize(static_cast<size_t>(entry.depth));
    trail.push_back(lowered(entry.label));
    std::string below;
    for (size_t i = 1; i < trail.size(); ++i) below += (i > 1 ? "/" : "") + trail[i];
    if (entry.depth > 0 && below == wanted) return entry.handle;
  }
  return nullptr;
}

bool isMainWindow(HWND window) {
  char name[16] = "";
  GetClassNameA(window, name, sizeof name);
  return std::string(name) == "#32770" && windowText(window).compare(0, 11, kPluginName) == 0 &&
         windowText(control(window, kBuildButton)) == kBuildButtonText;
}

BOOL CALLBACK findMainWindow(HWND window, LPARAM found) {
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  if (process != GetCurrentProcessId() || !IsWindowVisible(window) || !isMainWindow(window)) return TRUE;
  *reinterpret_cast<HWND*>(found) = window;
  return FALSE;
}

}  // namespace

Automation::Automation(AutomationPlan plan) : plan_(std::move(plan)) {}

Automation::~Automation() {
  if (thread_) {
    WaitForSingleObject(thread_, INFINITE);
    CloseHandle(thread_);
  }
}

bool Automation::Start() {
  thread_ = CreateThread(nullptr, 0, ThreadMain, this, 0, nullptr);
  return thread_ != nullptr;
}

AutomationResult Automation::Finish() {
  exportReturned_ = true;
  if (thread_) {
    WaitForSingleObject(thread_, INFINITE);
    CloseHandle(thread_);
    thread_ = nullptr;
  }
  return result_;
}

DWORD WINAPI Automation::ThreadMain(void* self) {
  static_cast<Automation*>(self)->Drive();
  return 0;
}

void Automation::Drive() {
  HWND dialog = WaitForMainWindow();
  if (!dialog) {
    result_.failure = exportReturned_ ? std::string("The plug-in's export ended without showing its main window")
                                      : "The plug-in's main window did not appear within " +
                                            std::to_string(plan_.windowLimitMs / 1000) + " seconds";
    return;
  }
  bool ready = ApplyOptions(dialog);
  for (const std::string& path : plan_.excluded) ready = ready && Exclude(dialog, path);
  ready = ready && plan_.build && StartBuild(dialog) && AwaitBuild(dialog);
  if (ready) result_.log = listLines(control(dialog, kLogList));
  // The window closes in every case, so that the host's export call returns.
  click(dialog, kCloseButton);
  if (!waitForWindowGone(dialog, plan_.windowLimitMs) && result_.failure.empty())
    result_.failure = "The plug-in's main window did not close";
}

HWND Automation::WaitForMainWindow() {
  HWND found = nullptr;
  waitUntil([&] {
    EnumWindows(findMainWindow, reinterpret_cast<LPARAM>(&found));
    return found != nullptr || exportReturned_;
  }, plan_.windowLimitMs);
  return found;
}

bool Automation::SetButton(HWND dialog, int id, bool on) {
  if (isChecked(dialog, id) == on) return true;
  if (!isEnabled(dialog, id)) {
    result_.notes.push_back("Option " + windowText(control(dialog, id)) + " is disabled and stays " +
                            (isChecked(dialog, id) ? "checked" : "unchecked"));
    return true;
  }
  click(dialog, id);
  // A click may bring a message box (the converter check); it is answered and reported.
  const bool settled = waitUntil([&] {
    AnswerMessageBoxes(true);
    return isChecked(dialog, id) == on || !result_.failure.empty();
  }, plan_.windowLimitMs);
  if (!settled && result_.failure.empty()) result_.failure = "The option " + windowText(control(dialog, id)) + " did not change";
  return result_.failure.empty();
}

bool Automation::ApplyOptions(HWND dialog) {
  const OptionSwitches& o = plan_.options;
  if (t2c::isKnownRtfMode(o.convertHtml) && !SetButton(dialog, kModeButtons[o.convertHtml], true)) return false;
  const std::pair<int, int> boxes[] = {{kPlainTextAsHtml, o.plainTextAsHtml},
                                       {kFullTextSearch, o.fullTextSearch},
                                       {kSyntax, o.syntax},
                                       {kPictures, o.pictures}};
  for (const auto& [id, wanted] : boxes)
    if (wanted >= 0 && !SetButton(dialog, id, wanted == 1)) return false;
  if (!plan_.title.empty()) setText(dialog, kTitleEdit, plan_.title);
  return true;
}

// Leaves the node out through its menu, as a person does with a right click on it.
bool Automation::Exclude(HWND dialog, const std::string& path) {
  HWND tree = control(dialog, kNodeTree);
  HTREEITEM item = findByLabelPath(tree, path);
  if (!item) {
    result_.failure = "No node " + path + " in the plug-in's tree";
    return false;
  }
  rightClickTreeItem(tree, item);
  HWND menu = waitForPopupMenu(plan_.windowLimitMs);
  if (!menu || !choosePopupMenuItem(menu, kExcludeCommand, plan_.windowLimitMs)) {
    result_.failure = "The node menu did not exclude " + path;
    return false;
  }
  const bool cut = waitUntil([&] {
    for (const TreeEntry& entry : treeItems(tree))
      if (entry.handle == item) return entry.cut;
    return false;
  }, plan_.windowLimitMs);
  if (!cut) result_.failure = "The node " + path + " was not marked as excluded";
  return cut;
}

bool Automation::StartBuild(HWND dialog) {
  click(dialog, kBuildButton);
  // The save dialog comes, or first a question (restart warning: answered OK) or an error box.
  bool answered = false;
  waitUntil([&] {
    if (!AnswerMessageBoxes(true)) return true;
    if (!waitForWindow("#32770", kBuildButtonText, false, 0)) return false;
    answered = answerSaveDialog(kBuildButtonText, plan_.output, false, plan_.windowLimitMs);
    if (!answered) result_.failure = "The save dialog did not take the path " + plan_.output;
    return true;
  }, plan_.windowLimitMs);
  if (!answered && result_.failure.empty()) result_.failure = "The save dialog did not appear";
  return answered && result_.failure.empty();
}

bool Automation::AwaitBuild(HWND dialog) {
  const std::string done = "Creation " + plan_.output + " successfully complete";
  const std::string failed = "Creation " + plan_.output + " failed";
  std::string last;
  const bool ended = waitUntil([&] {
    if (!AnswerMessageBoxes(false)) return true;
    const std::vector<std::string> lines = listLines(control(dialog, kLogList));
    last = lines.empty() ? std::string() : lines.back();
    return last == done || last == failed;
  }, plan_.windowLimitMs);
  if (!result_.failure.empty()) return false;
  if (!ended) {
    result_.failure = "The build did not end within " + std::to_string(plan_.windowLimitMs / 1000) + " seconds";
    return false;
  }
  result_.built = last == done;
  if (!result_.built) result_.failure = last;
  return true;
}

// Answers the plug-in's message box when one is showing. Questions get OK when
// `acceptQuestions`; an error box is reported as the failure. False once a failure is known.
bool Automation::AnswerMessageBoxes(bool acceptQuestions) {
  const MessageBoxSeen box = waitForMessageBox(kPluginName, 0);
  if (!box.window) return result_.failure.empty();
  if (GetDlgItem(box.window, IDCANCEL) && acceptQuestions) {
    result_.notes.push_back("Answered OK: " + box.text);
    pressDialogButton(box.window, IDOK);
  } else {
    result_.failure = box.text;
    pressDialogButton(box.window, GetDlgItem(box.window, IDCANCEL) ? IDCANCEL : IDOK);
  }
  return result_.failure.empty();
}

}  // namespace tly
