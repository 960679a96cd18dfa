// The bytes of a file, for tests that compare whole files.
#pragma once

#include <string>

#include "base/whole_file.h"

namespace t2c {

// A file that cannot be read gives the reader's reason in brackets, which no test expects as
// a file's content.
inline std::string fileBytes(const std::string& path) {
  std::string bytes, error;
  return base::readWholeFile(path, bytes, &error) ? bytes : "(" + error + ")";
}

}  // namespace t2c
