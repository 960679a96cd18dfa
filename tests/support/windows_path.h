// Test support: build-tree paths passed in by CMake with "/" turned into Windows separators.
#pragma once

#include <string>

namespace t2c {

inline std::string windowsPath(std::string path) {
  for (char& c : path)
    if (c == '/') c = '\\';
  return path;
}

}  // namespace t2c
