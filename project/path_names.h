// Pure path splitting for Windows paths: folder, file name and extension forms.
#pragma once

#include <string>

namespace t2c {

// The parts of a path as the run-time library's _splitpath separates them.
struct PathParts {
  std::string drive;      // "D:" or empty
  std::string directory;  // up to and with the last "\" or "/", or empty
  std::string name;       // file name without extension
  std::string extension;  // from the last period of the file name on, period included, or empty
};
PathParts splitPath(const std::string& path);

// Drive and directory of the path. With `stripSeparator` a trailing separator is removed, without
// it one "\" is added when missing. Empty when the path has neither drive nor directory.
std::string folderOf(const std::string& path, bool stripSeparator);

// File name and extension of the path, without its folder.
std::string fileNameOf(const std::string& path);

// The extension with a "." in front unless it already begins with one; empty stays empty.
std::string withLeadingDot(const std::string& extension);

}  // namespace t2c
