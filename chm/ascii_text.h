// Letter case of ASCII letters only, as the help file's names and the project's keys compare.
#pragma once

#include <string>

namespace chm {

inline char asciiLower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

inline std::string asciiLowered(std::string text) {
  for (char& c : text) c = asciiLower(c);
  return text;
}

}  // namespace chm
