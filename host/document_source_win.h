// Document folders read from the Windows file system.
#pragma once

#include "host/document.h"

namespace tly {

class FileSystemSource : public DocumentSource {
 public:
  std::vector<FolderEntry> List(const std::string& folder) override;
  bool Read(const std::string& file, std::string& bytes) override;
};

// The full path of a folder or file, as the host would remember its document; the path itself
// when it cannot be resolved.
std::string fullPathOf(const std::string& path);

// Whether the path names an existing folder.
bool isFolderPath(const std::string& path);

}  // namespace tly
