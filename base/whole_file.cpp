// Reading a whole file with the C library, which every build of ours has.
#include "whole_file.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace base {

bool readWholeFile(const std::string& path, std::string& bytes, std::string* error) {
  bytes.clear();
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (!file) {
    if (error) *error = "cannot open " + path + ": " + std::strerror(errno);
    return false;
  }
  char buffer[65536];
  size_t got;
  while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0) bytes.append(buffer, got);
  bool failed = std::ferror(file) != 0;
  int reason = errno;
  std::fclose(file);
  if (failed) {
    if (error) *error = "cannot read " + path + " after " + std::to_string(bytes.size()) + " bytes: " + std::strerror(reason);
    bytes.clear();
    return false;
  }
  return true;
}

}  // namespace base
