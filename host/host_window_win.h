// The stand-in's main window: the document as a tree, a Plugins menu made of the plug-in's menu
// entries, and a status bar that shows what plug-ins write there.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <string>
#include <vector>

#include "host/document.h"
#include "host/plugin_session_win.h"

namespace tly {

class HostWindow {
 public:
  HostWindow(const Document& document, const PluginLibrary& plugin);
  ~HostWindow();
  HostWindow(const HostWindow&) = delete;
  HostWindow& operator=(const HostWindow&) = delete;

  // Creates and shows the window; false when the platform refuses.
  bool Create(int show);
  HWND Window() const { return window_; }

  // Makes the node at `index` current: selected in the tree and reported by TLY_Command 1.
  void SelectNode(int index);
  // Runs a menu entry as a click on it would; the export entries return when the plug-in's
  // window has closed. False when there is no such entry or it cannot run.
  bool RunEntry(int index, ExportOutcome* outcome = nullptr);
  const std::vector<PluginMenuEntry>& Entries() const { return entries_; }

  // Called after every export entry has run, with its outcome.
  std::function<void(const ExportOutcome&)> onExportDone;

 private:
  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT Handle(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  void OnCreate();
  void OnSize(int width, int height);
  void OnCommand(int id);
  void OnSelectionChanged(const NMTREEVIEWA& change);
  void FillTree();
  void BuildMenu();
  void SetStatus(const std::string& text);

  const Document& document_;
  const PluginLibrary& plugin_;
  PluginDescription description_;
  std::vector<PluginMenuEntry> entries_;
  std::vector<HTREEITEM> items_;  // by node index
  HWND window_ = nullptr;
  HWND tree_ = nullptr;
  HWND status_ = nullptr;
  HMENU menu_ = nullptr;
  bool exporting_ = false;
};

}  // namespace tly
