// Test support: the main window opened on a thread of its own over a store the test fills, the
// compiler and converter placed where the window looks for them, and the host system's tools.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "model/node_store.h"

namespace t2c {

// The main window's caption up to its mode caption, as the test program's version gives it.
constexpr char kVersionTitle[] = "Tessaly2CHM 2.21 (build 83, Dec 26 2011)";

class MainWindowSession {
 public:
  // Opens the window over the store and waits until it shows; `window` stays null when it does not.
  // With `hostWindows`, its thread first opens two windows of a host, the second owning it.
  MainWindowSession(const NodeStore* store, const std::string& chmTitle, const std::string& modeCaption,
                    bool hostWindows = false);
  ~MainWindowSession();
  MainWindowSession(const MainWindowSession&) = delete;
  MainWindowSession& operator=(const MainWindowSession&) = delete;

  HWND Control(int id) const { return GetDlgItem(window, id); }
  // Presses "Close" and waits until the window's thread has ended; false when it does not.
  bool Close();
  // Waits until the window's thread has handled everything posted to it so far.
  void Settle() const;

  HWND window = nullptr;
  bool syntaxChanged = false;
  HWND host[2] = {};
  bool hostEnabledAfterwards = false;  // the first host window, once the main window has gone

 private:
  static DWORD WINAPI Thread(void* context);

  const NodeStore* store_;
  std::string chmTitle_;
  std::string modeCaption_;
  HANDLE thread_ = nullptr;
  bool hostWindows_;
};

// The folder of the test program, where the window expects the compiler, with "\" at the end.
std::string programFolder();
// Puts the compiler and the converter library where the window looks for them, or takes them away.
void placeCompiler(bool present);
void placeConverter(bool present);

// Runs a command of the host system's shell; its exit status, or -1 when it cannot run.
int hostShell(const std::string& command);
// What a command of the host system's shell prints on its standard output.
std::string hostOutput(const std::string& command);
// The host system's path of a Windows path.
std::string hostPath(const std::string& windowsPath);

constexpr char kDocumentMode[] = "Make CHM-file from entire document";

// A document of every kind, with nodes the tree leaves out: a child of a plain-text node, an
// orphan, and, when asked for, a node of an unknown kind. "Formatted" holds a picture. The host's current node is "Notes" (16).
void fillMixedDocument(NodeStore& store, bool withUnknownKind);

// Each test starts from the default options with no stored key, the compiler and the converter
// in place, and the mixed document in `store`.
class MainWindowTest : public ::testing::Test {
 protected:
  void SetUp() override;
  NodeStore store;
};

// Appends a node to the store.
ExportNode& addNode(NodeStore& store, int id, int parentId, int kind, const std::string& header,
                    const std::string& text = std::string());

}  // namespace t2c
