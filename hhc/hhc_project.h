// HHC.exe's reading of a project file and its verdict on a chmcmd run, apart from the platform.
#pragma once

#include <string>
#include <vector>

namespace hhc {

// The value of "Compiled file=" in the [OPTIONS] section, the way the compiler reads it.
std::string compiledFileName(const std::string& project);

// Whether the [OPTIONS] section asks for a full-text search index ("Full-text search=Yes").
bool fullTextSearch(const std::string& project);

// The project with its "Full-text search=" option set to No, all else byte for byte.
std::string projectWithoutSearch(const std::string& project);

// The entries of the [FILES] section in order, without surrounding blanks; empty lines and
// ";" comments are none.
std::vector<std::string> listedFiles(const std::string& project);

// The project with every [FILES] line of the given entries left out, all else byte for byte.
std::string projectWithout(const std::string& project, const std::vector<std::string>& entries);

// Whether a line of chmcmd's output reports a failed build: chmcmd exits with 0 after some.
bool reportsFailure(const std::string& line);

struct ChmcmdRun {
  bool ran = false;             // chmcmd was started and its status read
  long status = -1;             // its exit status
  bool complained = false;      // a line of its output reported a failed build
  long long compiledSize = -1;  // the compiled file's size, -1 when there is none
};

// Why the run gave no sound help file, or empty when it gave one. A run that could not start
// has no reason here: the step that failed has said why.
std::string failureReason(const ChmcmdRun& run);

// Whether chmcmd crashed rather than refused the project. Its full-text indexer crashes on some
// pages that Microsoft's compiler indexes.
bool crashed(const ChmcmdRun& run, const std::string& messages);

// Whether the run gave a sound help file: chmcmd ran, ended with 0, reported nothing and left a
// compiled file that is not empty.
bool compiled(const ChmcmdRun& run);

}  // namespace hhc
