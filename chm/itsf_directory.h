// The container's frame: the file header, header section 0 and the directory of every stored name.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace chm {

constexpr uint32_t kChunkSize = 4096;
constexpr uint64_t kFileHeaderSize = 0x60 + 0x18;  // file header and header section 0
constexpr uint64_t kDirectoryHeaderSize = 0x54;

struct DirectoryEntry {
  std::string name;  // "/page.htm", "/images/", "::DataSpace/NameList"
  uint32_t section = 0;
  uint64_t offset = 0;
  uint64_t length = 0;
};

// The directory's order: ASCII letters folded to lower case, then bytes compared unsigned.
bool directoryNameLess(const std::string& a, const std::string& b);

// The directory header and its 4096-byte chunks: listing chunks holding `sorted` (already in
// directoryNameLess order), then as many index levels as needed to leave a single root.
std::string buildDirectory(const std::vector<DirectoryEntry>& sorted, uint32_t lcid);

// The file header and header section 0 for a directory and a content section 0 of the given
// sizes that follow them.
std::string buildFileHeader(uint64_t directorySize, uint64_t section0Size, uint32_t timestamp,
                            uint32_t lcid);

}  // namespace chm
