// Cutting a registered command line down to its program.
#include "compiler/open_command.h"

#include <algorithm>

namespace t2c {

std::string programOfCommand(const std::string& commandLine, const FileExists& exists) {
  std::string text = commandLine;
  text.erase(std::remove(text.begin(), text.end(), '"'), text.end());
  // The program may hold blanks, so the arguments cannot be split off by blanks: the longest
  // leading part that names a file is the program.
  while (!text.empty() && !exists(text)) text.pop_back();
  const char* blanks = " \t\r\n";
  size_t first = text.find_first_not_of(blanks);
  if (first == std::string::npos) return std::string();
  size_t last = text.find_last_not_of(blanks);
  return text.substr(first, last - first + 1);
}

}  // namespace t2c
