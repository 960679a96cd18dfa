// The main window: the export options, the help file's title and language, the node tree, the
// log, and "Make CHM-file", which builds the help file and leaves the window open for more.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "pictures/picture_table.h"
#include "model/node_store.h"
#include "ui/language_list_win.h"
#include "ui/log_list_win.h"
#include "ui/node_tree_view_win.h"

namespace t2c {

class ExportDialog {
 public:
  // Copies the store's node list (none: an empty tree) and the five options.
  ExportDialog(const std::string& chmTitle, const std::string& modeCaption, const NodeStore* store,
               HWND parent);
  ~ExportDialog();
  ExportDialog(const ExportDialog&) = delete;
  ExportDialog& operator=(const ExportDialog&) = delete;

  // Shows the window modally; returns when it has been closed, with the options saved.
  void Run();
  // Whether the syntax-highlighting option differs from its value at construction.
  bool syntaxChanged() const { return syntaxChanged_; }

  // The log callback of every build; the context is the window.
  static int appendLogLine(const char* line, void* context);
  // Shows the log's new lines before a long step of the build.
  static void showLogNow(void* context);

 private:
  static INT_PTR CALLBACK DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  INT_PTR HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
  // What the window does with a message of its loop before the message reaches its target;
  // true when the message is used up.
  bool PreTranslate(MSG& message);

  void OnInitDialog();
  void SetUpIcons();
  void SetUpTooltips();
  void AddTooltip(int controlId, const std::string& text, bool parseLinks);
  void SetUpHostLook();
  void OnCommand(int id, int code);
  void OnNotify(const NMHDR& header);
  void OnContextMenu(LPARAM position);
  void OnDestroy();
  void EndModal();

  void ReadControls();
  void WriteControls();
  void RefreshMarks();
  bool ConverterCheck();
  void SetCheck(int id, bool checked);
  bool IsChecked(int id) const;
  std::string ControlText(int id) const;
  void Beep() const;
  void ShowError(const std::string& text) const;

  // Make CHM-file and its steps.
  void OnMakeChmFile();
  void CloseViewer();
  std::string ChooseOutputPath(const std::string& dialogTitle);
  bool Build(const std::string& destination);
  // The picture step of a build: fills the job's picture files and hook, and returns the table
  // that must outlive the build; none when pictures are not wanted or cannot be made.
  std::unique_ptr<PictureTable> PreparePictures(ExportJob& job);
  void RememberViewer();

  // Set when the hidden control 3015 could not get its object storage: a build that cannot get
  // it either goes without pictures and says so.
  HRESULT pictureLoaderError_ = S_OK;
  HWND viewerWindow_ = nullptr;
  DWORD viewerProcessId_ = 0;
  HANDLE viewerProcess_ = nullptr;  // held so that its id cannot pass to another process
  bool syntaxAtOpening_;
  std::string pluginsFolderPath_;
  std::string baseTitle_;
  std::string modeCaption_;
  std::string chmTitle_;
  std::string versionText_;
  HIMAGELIST images_ = nullptr;
  std::vector<ExportNode*> nodes_;
  bool syntaxChanged_ = false;

  LanguageList languages_;
  LogList log_;
  TipPanel tipPanel_;
  NodeTreeView tree_;

  int32_t convertHtml_;
  int32_t fullTextSearch_;
  int32_t plainTextAsHtml_;
  int32_t syntaxHighlighting_;
  int32_t pictures_;

  HWND tooltip_ = nullptr;
  std::map<HWND, std::string> tooltipTexts_;
  std::string workFolder_;
  HFONT hostFont_ = nullptr;
  HICON bigIcon_ = nullptr;
  HICON smallIcon_ = nullptr;

  HWND parent_;
  HWND window_ = nullptr;
  bool ended_ = false;
};

}  // namespace t2c
