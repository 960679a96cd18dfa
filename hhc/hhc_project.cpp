// Project sections and chmcmd's outcome as HHC.exe judges them.
#include "hhc/hhc_project.h"

#include <algorithm>
#include <cstddef>

namespace hhc {
namespace {

std::string trimmed(const std::string& text) {
  const std::size_t first = text.find_first_not_of(" \t\r\n");
  if (first == std::string::npos) return std::string();
  return text.substr(first, text.find_last_not_of(" \t\r\n") - first + 1);
}

char lower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

bool sameIgnoringCase(const std::string& a, const std::string& b) {
  return a.size() == b.size() &&
         std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) { return lower(x) == lower(y); });
}

// Calls `visit(line, section, start, end)` for every line, trimmed, with the section it stands
// in (a section line stands in its own); start and end delimit the line with its line end.
template <typename Visit>
void eachLine(const std::string& project, Visit visit) {
  std::string section;
  std::size_t start = 0;
  while (start < project.size()) {
    std::size_t end = project.find('\n', start);
    end = end == std::string::npos ? project.size() : end + 1;
    const std::string line = trimmed(project.substr(start, end - start));
    if (!line.empty() && line[0] == '[') section = line;
    visit(line, section, start, end);
    start = end;
  }
}

bool isFileEntry(const std::string& line, const std::string& section) {
  return sameIgnoringCase(section, "[FILES]") && !line.empty() && line[0] != ';' && line[0] != '[';
}

// The trimmed value of the first "key=" line of the [OPTIONS] section, and whether there is one.
bool optionValue(const std::string& project, const std::string& key, std::string& value) {
  bool found = false;
  eachLine(project, [&](const std::string& line, const std::string& section, std::size_t, std::size_t) {
    const std::size_t equals = line.find('=');
    if (found || equals == std::string::npos || line[0] == '[') return;
    if (!sameIgnoringCase(section, "[OPTIONS]")) return;
    if (!sameIgnoringCase(trimmed(line.substr(0, equals)), key)) return;
    value = trimmed(line.substr(equals + 1));
    found = true;
  });
  return found;
}

}  // namespace

std::string compiledFileName(const std::string& project) {
  std::string name;
  optionValue(project, "Compiled file", name);
  return name;
}

bool fullTextSearch(const std::string& project) {
  std::string value;
  return optionValue(project, "Full-text search", value) && sameIgnoringCase(value, "Yes");
}

std::string projectWithoutSearch(const std::string& project) {
  std::string kept;
  kept.reserve(project.size());
  eachLine(project, [&](const std::string& line, const std::string& section, std::size_t start,
                        std::size_t end) {
    const std::size_t equals = line.find('=');
    const bool searchLine = sameIgnoringCase(section, "[OPTIONS]") && equals != std::string::npos &&
                            line[0] != '[' &&
                            sameIgnoringCase(trimmed(line.substr(0, equals)), "Full-text search");
    if (!searchLine) {
      kept.append(project, start, end - start);
      return;
    }
    const std::size_t lineEnd = project.find_last_not_of("\r\n", end - 1);
    kept += "Full-text search=No";
    kept.append(project, lineEnd + 1, end - lineEnd - 1);
  });
  return kept;
}

bool crashed(const ChmcmdRun& run, const std::string& messages) {
  // Free Pascal's runtime reports an exception nobody caught, and ends with runtime error 217.
  return run.ran &&
         (run.status == 217 || messages.find("An unhandled exception occurred") != std::string::npos);
}

std::vector<std::string> listedFiles(const std::string& project) {
  std::vector<std::string> files;
  eachLine(project, [&](const std::string& line, const std::string& section, std::size_t, std::size_t) {
    if (isFileEntry(line, section)) files.push_back(line);
  });
  return files;
}

std::string projectWithout(const std::string& project, const std::vector<std::string>& entries) {
  std::string kept;
  kept.reserve(project.size());
  eachLine(project, [&](const std::string& line, const std::string& section, std::size_t start,
                        std::size_t end) {
    const bool dropped =
        isFileEntry(line, section) && std::find(entries.begin(), entries.end(), line) != entries.end();
    if (!dropped) kept.append(project, start, end - start);
  });
  return kept;
}

bool reportsFailure(const std::string& line) {
  return line.compare(0, 6, "Error:") == 0 || line.compare(0, 23, "Can't find project file") == 0;
}

bool compiled(const ChmcmdRun& run) {
  return run.ran && run.status == 0 && !run.complained && run.compiledSize > 0;
}

std::string failureReason(const ChmcmdRun& run) {
  if (compiled(run) || !run.ran) return std::string();
  if (run.status != 0) return "chmcmd ended with exit code " + std::to_string(run.status);
  if (run.complained) return "chmcmd reported an error";
  return run.compiledSize == 0 ? "chmcmd left an empty compiled file" : "chmcmd left no compiled file";
}

}  // namespace hhc
