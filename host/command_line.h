// The stand-in's command line: which document, which node, and what the automatic mode does.
#pragma once

#include <string>
#include <vector>

namespace tly {

// The five export options as switches; -1 leaves what the plug-in has stored.
struct OptionSwitches {
  int convertHtml = -1;       // --rtf html|rtf|skip|link (a t2c::RtfMode)
  int plainTextAsHtml = -1;   // --plain-text html|text
  int fullTextSearch = -1;    // --full-text-search on|off
  int syntax = -1;            // --syntax on|off
  int pictures = -1;          // --pictures on|off
};

struct HostCommand {
  enum class Mode { Describe, Interactive, Export };
  Mode mode = Mode::Describe;
  std::string pluginPath;    // --plugin DLL; empty: Plugins\Tessaly2CHM.dll beside the program
  std::string document;      // the document folder
  std::string current;       // --current PATH: the host's current node; empty: the root
  bool branch = false;       // --export branch (else document)
  std::string branchPath;    // --branch PATH: the branch's top node, which also becomes current
  std::string output;        // --out FILE.chm
  std::string title;         // --title TEXT: replaces the proposed help-file title
  std::vector<std::string> excluded;  // --exclude PATH, repeatable: nodes left out through the node menu
  OptionSwitches options;
  int timeoutSeconds = 600;  // --timeout N: how long a window may take to appear
  int build = 1;             // --build off: the window opens and closes without a build
  std::string error;         // what is wrong with the command line; empty when it is usable
};

// Reads the arguments after the program name.
HostCommand parseHostCommand(const std::vector<std::string>& arguments);

// How to call the program, for the usage message.
std::string hostUsage();

}  // namespace tly
