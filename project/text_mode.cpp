// Line-feed expansion as the C run-time's text mode does it on Windows.
#include "project/text_mode.h"

#include <algorithm>

namespace t2c {

std::string textModeBytes(const std::string& text) {
  std::string out;
  out.reserve(text.size() + static_cast<size_t>(std::count(text.begin(), text.end(), '\n')));
  for (char c : text) {
    if (c == '\n') out += '\r';
    out += c;
  }
  return out;
}

}  // namespace t2c
