// ExportDialog's "Make CHM-file": the checks in order, the destination, and the build around the
// export driver.
#include <windows.h>
#include <commdlg.h>

#include <cstdio>
#include <memory>

#include "compiler/compiler_runner_win.h"
#include "pictures/picture_table.h"
#include "pictures/pictures_win.h"
#include "plugin/ansi_text_win.h"
#include "plugin/host_services_win.h"
#include "plugin/plugin_module_win.h"
#include "project/build_trace_win.h"
#include "export/export_driver_win.h"
#include "project/work_folder_win.h"
#include "resources/main_dialog.h"
#include "resources/strings.h"
#include "ui/dialog_texts.h"
#include "ui/export_dialog_win.h"
#include "pictures/rich_edit_callback_win.h"
#include "ui/window_rules.h"

namespace t2c {

namespace {

// The filter string of the save dialog: its "|" separators become the NULs the dialog wants.
std::string dialogFilter(const std::string& filter) {
  std::string result = filter;
  for (char& c : result)
    if (c == '|') c = '\0';
  return result + '\0';
}

bool canOpenForWriting(const std::string& path) {
  HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  CloseHandle(file);
  return true;
}

// A viewer that hangs must not hang this window with it.
constexpr UINT kViewerCloseLimitMs = 10000;

}  // namespace

int ExportDialog::appendLogLine(const char* line, void* context) {
  static_cast<ExportDialog*>(context)->log_.Append(line ? line : "");
  return 1;
}

void ExportDialog::showLogNow(void* context) { static_cast<ExportDialog*>(context)->log_.ShowNow(); }

void ExportDialog::OnMakeChmFile() {
  if (tree_.IsEditingLabel()) return;
  ReadControls();
  if (!compilerPresent()) {
    Beep();
    ShowError(fillInText(loadString(IDS_COMPILER_NOT_FOUND), compilerDefaultPath()));
    return;
  }
  if (restartQuestionNeeded(syntaxAtOpening_, syntaxHighlighting_ != 0, convertHtml_)) {
    std::string question = fillInText(loadString(IDS_RESTART_QUESTION), ControlText(IDC_SYNTAX_HIGHLIGHTING));
    if (showMessage(window_, question, MB_OKCANCEL | MB_ICONQUESTION) != IDOK) return;
  }
  if (!ConverterCheck()) return;
  CloseViewer();
  std::string destination = ChooseOutputPath(ControlText(IDOK));
  if (destination.empty()) return;
  HCURSOR previousCursor = SetCursor(LoadCursor(nullptr, IDC_WAIT));
  Build(destination);
  Beep();
  SetCursor(previousCursor);
}

void ExportDialog::CloseViewer() {
  HWND viewer = viewerWindow_;
  viewerWindow_ = nullptr;
  HANDLE process = viewerProcess_;
  viewerProcess_ = nullptr;
  DWORD processId = viewerProcessId_;
  viewerProcessId_ = 0;
  if (viewer && IsWindow(viewer) && process && WaitForSingleObject(process, 0) == WAIT_TIMEOUT) {
    // A window handle outlives its viewer: close it only while that viewer still owns it.
    DWORD owner = 0;
    GetWindowThreadProcessId(viewer, &owner);
    DWORD_PTR ignored = 0;
    if (owner == processId)
      SendMessageTimeoutA(viewer, WM_CLOSE, 0, 0, SMTO_ABORTIFHUNG, kViewerCloseLimitMs, &ignored);
  }
  if (process) CloseHandle(process);
}

void ExportDialog::RememberViewer() {
  if (viewerProcess_) CloseHandle(viewerProcess_);
  viewerProcess_ = nullptr;
  viewerProcessId_ = 0;
  if (!viewerWindow_ || !IsWindow(viewerWindow_)) return;
  GetWindowThreadProcessId(viewerWindow_, &viewerProcessId_);
  viewerProcess_ = OpenProcess(SYNCHRONIZE, FALSE, viewerProcessId_);
}

std::string ExportDialog::ChooseOutputPath(const std::string& dialogTitle) {
  ReadControls();
  std::string proposal = proposedFileName(chmTitle_, isAnsiLeadByte);
  char path[MAX_PATH] = "";
  lstrcpynA(path, proposal.c_str(), MAX_PATH);
  std::string filter = dialogFilter(loadString(IDS_FILE_FILTER));
  OPENFILENAMEA dialog = {};
  // The size that every version of the common dialogs accepts.
  dialog.lStructSize = OPENFILENAME_SIZE_VERSION_400A;
  dialog.hwndOwner = window_;
  dialog.lpstrFilter = filter.c_str();
  dialog.lpstrFile = path;
  dialog.nMaxFile = MAX_PATH;
  dialog.lpstrTitle = dialogTitle.c_str();
  dialog.lpstrDefExt = "chm";
  dialog.Flags = OFN_EXPLORER | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT;
  if (!GetSaveFileNameA(&dialog)) {
    // Cancelled, or the dialog failed: then once more without the proposed name, which is the
    // likeliest cause, and if that fails too the user learns why nothing happens.
    if (CommDlgExtendedError() == 0) return std::string();
    path[0] = '\0';
    if (!GetSaveFileNameA(&dialog)) {
      const DWORD error = CommDlgExtendedError();
      if (error != 0) {
        char text[96];
        std::snprintf(text, sizeof text, "Cannot show the dialog for the CHM-file (error 0x%04lX).",
                      static_cast<unsigned long>(error));
        ShowError(text);
      }
      return std::string();
    }
  }
  std::string chosen = path;
  if (isExistingFile(chosen) && !canOpenForWriting(chosen)) {
    ShowError(fillInText(loadString(IDS_CANNOT_OPEN_FOR_WRITING), chosen));
    return std::string();
  }
  return chosen;
}

std::unique_ptr<PictureTable> ExportDialog::PreparePictures(ExportJob& job) {
  // Without a work folder the pictures would land beside whatever an empty path means.
  if (!picturesWanted(pictures_, convertHtml_) || workFolder_.empty()) return nullptr;
  // Every build gets a fresh storage for the objects: the objects of the last one go with the
  // control's old content, their storages with the old callback, so nothing grows build by build.
  // A storage that could not be had before (no temporary folder, say) is asked for again.
  HWND loader = GetDlgItem(window_, IDC_PICTURE_LOADER);
  SetWindowTextA(loader, "");
  pictureLoaderError_ = attachRichEditCallback(loader);
  if (FAILED(pictureLoaderError_)) {
    char line[128];
    std::snprintf(line, sizeof line, "Pictures left out: no storage for embedded objects (error 0x%08lX)",
                  static_cast<unsigned long>(pictureLoaderError_));
    log_.Append(line);
    return nullptr;
  }
  auto pictures = std::make_unique<PictureTable>();
  const TracedPhase preparing("pictures");
  for (const std::string& line : preparePictures(tree_.Model(), loader, workFolder_, job.pictureFiles, *pictures))
    log_.Append(line);
  job.htmlHook = substitutePictures;
  job.htmlHookContext = pictures.get();
  return pictures;
}

bool ExportDialog::Build(const std::string& destination) {
  log_.Clear();
  log_.Append(fillInText("Start creation CHM-file to %s", destination));
  // A node the tree could not place gets no article: the user learns which.
  for (const ExportNode* node : unplacedNodes(tree_.Model(), nodes_))
    log_.Append("Not in the tree, so not in the CHM-file: " + node->header);
  for (const TreeItem* item : tree_.UnshownItems())
    if (!item->node->excluded) log_.Append("Too deep to show in the tree, in the CHM-file all the same: " + item->label);
  if (!workFolder_.empty()) {
    removeWorkFolder(workFolder_);
    workFolder_.clear();
  }
  ModuleVersionInfo version = host::moduleVersion(pluginInstance());
  ExportJob job;
  job.fullTextSearch = fullTextSearch_ == 1;
  job.title = helpFileTitle(chmTitle_, isAnsiLeadByte);
  job.logCallback = appendLogLine;
  job.logContext = this;
  job.showLog = showLogNow;
  TreeItem* first = tree_.FirstArticle();
  job.firstArticleId = first && first->node ? first->node->id : -1;
  job.description =
      jobDescription(loadString(IDS_DESCRIPTION_PREFIX), version.major, version.minor, version.release);
  job.plainTextAsHtml = plainTextAsHtml_ == 1;
  job.convertHtml = convertHtml_;
  job.rtfLinkTemplate = loadString(IDS_RTF_LINK_TEMPLATE);
  workFolder_ = makeWorkFolder();

  bool delivered = false;
  // Lives until the build has ended: its end gives the RTF nodes their texts back.
  std::unique_ptr<PictureTable> pictures;
  // Preparing many pictures takes its time.
  log_.ShowNow();
  try {
    pictures = PreparePictures(job);
    delivered = runExport(tree_.Model(), destination, job, workFolder_, viewerWindow_, languages_.languageText());
  } catch (...) {
    // A build that ends abnormally has logged how far it came; the clean-up below still runs.
  }
  removeWorkFolder(workFolder_);
  workFolder_.clear();
  pictures.reset();
  RememberViewer();
  log_.Append(fillInText(loadString(delivered ? IDS_CREATION_COMPLETE : IDS_CREATION_FAILED), destination));
  log_.ShowLast();
  return delivered;
}

}  // namespace t2c
