// Path splitting that follows _splitpath, so the portable code names files as the Windows layer does.
#include "project/path_names.h"

namespace t2c {

namespace {

bool isSeparator(char c) { return c == '\\' || c == '/'; }

}  // namespace

PathParts splitPath(const std::string& path) {
  PathParts parts;
  size_t pos = 0;
  if (path.size() >= 2 && path[1] == ':') {
    parts.drive = path.substr(0, 2);
    pos = 2;
  }
  size_t lastSeparator = std::string::npos;
  for (size_t i = pos; i < path.size(); ++i)
    if (isSeparator(path[i])) lastSeparator = i;
  if (lastSeparator != std::string::npos) {
    parts.directory = path.substr(pos, lastSeparator + 1 - pos);
    pos = lastSeparator + 1;
  }
  const size_t period = path.rfind('.');
  if (period != std::string::npos && period >= pos) {
    parts.name = path.substr(pos, period - pos);
    parts.extension = path.substr(period);
  } else {
    parts.name = path.substr(pos);
  }
  return parts;
}

std::string folderOf(const std::string& path, bool stripSeparator) {
  const PathParts parts = splitPath(path);
  std::string folder = parts.drive + parts.directory;
  // A bare file name has no folder; adding "\" would turn it into the drive's root.
  if (folder.empty()) return folder;
  const bool endsWithSeparator = isSeparator(folder.back());
  if (stripSeparator) {
    if (endsWithSeparator) folder.pop_back();
  } else if (!endsWithSeparator) {
    folder += '\\';
  }
  return folder;
}

std::string fileNameOf(const std::string& path) {
  const PathParts parts = splitPath(path);
  return parts.name + parts.extension;
}

std::string withLeadingDot(const std::string& extension) {
  if (extension.empty() || extension[0] == '.') return extension;
  return "." + extension;
}

}  // namespace t2c
