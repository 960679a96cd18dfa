// Reading an HTML Help project file (.hhp) as HTML Help Workshop and the plug-in write them.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace chm {

struct HelpProject {
  // [OPTIONS], values as written (surrounding blanks dropped), in the project's ANSI code page.
  std::string compiledFile;     // "Compiled file="
  std::string contentsFile;     // "Contents file="
  std::string indexFile;        // "Index file="
  std::string defaultTopic;     // "Default topic="
  std::string title;            // "Title="
  std::string language;         // "Language=", e.g. "0x419 Russian"
  std::string compatibility;    // "Compatibility="
  bool fullTextSearch = false;  // "Full-text search=Yes"
  bool binaryIndex = false;     // "Binary Index=Yes"
  bool autoIndex = false;       // "Auto Index=Yes"
  bool showProgress = false;    // "Display compile progress=Yes"
  // [FILES] in order, each as written; a second listing of a name (letter case and the kind of
  // folder separator aside) is dropped.
  std::vector<std::string> files;

  bool operator==(const HelpProject& other) const;
};

// Reads the project text. Sections and keys are found in any letter case, blanks around "="
// do not count, ";" starts a comment line, lines end in CR LF or LF; unknown sections and keys
// are passed over. Never fails: what cannot be understood is left out.
HelpProject readHelpProject(const std::string& text);

// "Yes" in any letter case (and "1", "True", which some hand-written projects use).
bool isYes(const std::string& value);

// The locale number of a "Language=" value: "0x419 Russian", "0x419" or "1049"; 0x409 when
// there is no number to read.
uint32_t languageId(const std::string& language);

// The ANSI code page Windows uses for the locale (1252 for Western languages, 1251 for
// Cyrillic ones, 932 for Japanese, ...); 0 for languages written in Unicode only.
unsigned ansiCodePage(uint32_t lcid);

// A listed or named file as the help file stores it: "/" between folders, no leading "./" or
// "/"; empty when the name leaves the project's folder (".." or a drive) or names no file.
std::string storedName(const std::string& listed);

// The compiled file's name without folder and extension, in lower case ("tessaly2chm").
std::string compiledStem(const std::string& compiledFile);

}  // namespace chm
