// Picks the warnings out of the compiler's console.
#include "compiler/compiler_console.h"

namespace t2c {

namespace {

// "HHC", digits if any, then ": warning:" in any letter case.
bool isWarning(const std::string& line) {
  if (line.compare(0, 3, "HHC") != 0) return false;
  size_t at = 3;
  while (at < line.size() && line[at] >= '0' && line[at] <= '9') ++at;
  static const char kWarning[] = ": warning:";
  for (size_t i = 0; kWarning[i] != '\0'; ++i, ++at) {
    if (at >= line.size()) return false;
    char c = line[at];
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    if (c != kWarning[i]) return false;
  }
  return true;
}

}  // namespace

std::vector<std::string> compilerWarnings(const std::string& console, size_t limit) {
  std::vector<std::string> warnings;
  size_t more = 0;
  for (size_t start = 0; start < console.size();) {
    size_t end = console.find('\n', start);
    if (end == std::string::npos) end = console.size();
    std::string line = console.substr(start, end - start);
    start = end + 1;
    while (!line.empty() && (line.back() == '\r' || line.back() == '\0')) line.pop_back();
    if (!isWarning(line)) continue;
    if (warnings.size() < limit) {
      warnings.push_back(line);
    } else {
      ++more;
    }
  }
  if (more > 0) warnings.push_back("HHC: " + std::to_string(more) + " more warnings");
  return warnings;
}

}  // namespace t2c
