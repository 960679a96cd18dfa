// Title texts of the plug-in.
#include "plugin/plugin_text.h"

#include <cstdio>

namespace t2c {

std::string pluginTitle(int32_t major, int32_t minor, int32_t release, int32_t build) {
  char buffer[128];
  std::snprintf(buffer, sizeof buffer, "%s %d.%d%d (build %d)", kPluginName, static_cast<int>(major),
                static_cast<int>(minor), static_cast<int>(release), static_cast<int>(build));
  return buffer;
}

std::string trimHeader(const std::string& header) {
  const char* blanks = " \r\n\t";
  size_t first = header.find_first_not_of(blanks);
  if (first == std::string::npos) return std::string();
  size_t last = header.find_last_not_of(blanks);
  return header.substr(first, last - first + 1);
}

std::string oneLineText(const std::string& text) {
  std::string line = text;
  for (char& c : line)
    if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) c = ' ';
  return line;
}

bool noLeadBytes(unsigned char) { return false; }

std::string documentTitleFromPath(const std::string& path, LeadBytePredicate isLeadByte) {
  // The second byte of a two-byte character may be the byte of "\": step over such characters.
  size_t nameStart = 0;
  for (size_t at = 0; at < path.size(); ++at) {
    const char c = path[at];
    if (isLeadByte(static_cast<unsigned char>(c)) && at + 1 < path.size()) {
      ++at;
    } else if (c == '\\' || c == '/' || c == ':') {
      nameStart = at + 1;
    }
  }
  std::string name = path.substr(nameStart);
  size_t dot = name.rfind('.');
  return dot == std::string::npos ? name : name.substr(0, dot);
}

}  // namespace t2c
