// Lays out the container's header and directory: listing chunks, index chunks and quick references.
#include "chm/itsf_directory.h"

#include <algorithm>

#include "chm/le_bytes.h"

namespace chm {
namespace {

constexpr uint32_t kNone = 0xFFFFFFFF;
constexpr size_t kListingHeader = 0x14;
constexpr size_t kIndexHeader = 0x08;
constexpr size_t kQuickRefDensity = 5;  // a quick reference to every fifth entry

const unsigned char kGuidTail[8] = {0x9E, 0x0C, 0x00, 0xA0, 0xC9, 0x22, 0xE6, 0xEC};
const unsigned char kDirectoryGuidTail[8] = {0x9D, 0xF9, 0x00, 0xA0, 0xC9, 0x22, 0xE6, 0xEC};

unsigned char folded(char c) {
  unsigned char u = static_cast<unsigned char>(c);
  return (u >= 'A' && u <= 'Z') ? static_cast<unsigned char>(u + 32) : u;
}

size_t quickRefBytes(size_t entries) {
  return entries == 0 ? 0 : 2 * ((entries - 1) / kQuickRefDensity);
}

// Splits the encoded entries into runs that each fit one chunk after a header of `headerSize`.
std::vector<std::pair<size_t, size_t>> splitIntoChunks(const std::vector<std::string>& entries,
                                                       size_t headerSize) {
  std::vector<std::pair<size_t, size_t>> runs;
  size_t begin = 0;
  size_t used = 0;
  for (size_t i = 0; i < entries.size(); ++i) {
    size_t count = i - begin + 1;
    if (count > 1 && headerSize + used + entries[i].size() + 2 + quickRefBytes(count) > kChunkSize) {
      runs.emplace_back(begin, i);
      begin = i;
      used = 0;
    }
    used += entries[i].size();
  }
  runs.emplace_back(begin, entries.size());
  return runs;
}

// One chunk: `header`, the entries of [begin, end), zeros, the quick references stored backwards
// from the end and the entry count in the last two bytes. The free-space field at offset 4 counts
// everything after the last entry.
std::string renderChunk(std::string header, const std::vector<std::string>& entries, size_t begin,
                        size_t end) {
  std::string chunk = std::move(header);
  const size_t headerSize = chunk.size();
  std::vector<uint32_t> quickRefs;
  for (size_t i = begin; i < end; ++i) {
    if (i > begin && (i - begin) % kQuickRefDensity == 0)
      quickRefs.push_back(static_cast<uint32_t>(chunk.size() - headerSize));
    chunk += entries[i];
  }
  setU32(chunk, 4, static_cast<uint32_t>(kChunkSize - chunk.size()));
  chunk.resize(kChunkSize, '\0');
  for (size_t k = 0; k < quickRefs.size(); ++k) {
    size_t at = kChunkSize - 4 - 2 * k;
    chunk[at] = static_cast<char>(quickRefs[k] & 0xFF);
    chunk[at + 1] = static_cast<char>(quickRefs[k] >> 8);
  }
  uint32_t count = static_cast<uint32_t>(end - begin);
  chunk[kChunkSize - 2] = static_cast<char>(count & 0xFF);
  chunk[kChunkSize - 1] = static_cast<char>(count >> 8);
  return chunk;
}

std::string listingHeader(uint32_t previous, uint32_t next) {
  std::string header = "PMGL";
  putU32(header, 0);  // free space, set when the chunk is complete
  putU32(header, 0);
  putU32(header, previous);
  putU32(header, next);
  return header;
}

std::string indexHeader() {
  std::string header = "PMGI";
  putU32(header, 0);
  return header;
}

std::string encodeName(const std::string& name) {
  std::string out;
  putEncint(out, name.size());
  out += name;
  return out;
}

}  // namespace

bool directoryNameLess(const std::string& a, const std::string& b) {
  return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(),
                                      [](char x, char y) { return folded(x) < folded(y); });
}

std::string buildDirectory(const std::vector<DirectoryEntry>& sorted, uint32_t lcid) {
  std::vector<std::string> entries;
  entries.reserve(sorted.size());
  for (const DirectoryEntry& e : sorted) {
    std::string encoded = encodeName(e.name);
    putEncint(encoded, e.section);
    putEncint(encoded, e.offset);
    putEncint(encoded, e.length);
    entries.push_back(std::move(encoded));
  }
  std::vector<std::string> chunks;
  auto runs = splitIntoChunks(entries, kListingHeader);
  const uint32_t listings = static_cast<uint32_t>(runs.size());
  for (uint32_t c = 0; c < listings; ++c) {
    uint32_t previous = c == 0 ? kNone : c - 1;
    uint32_t next = c + 1 == listings ? kNone : c + 1;
    chunks.push_back(renderChunk(listingHeader(previous, next), entries, runs[c].first, runs[c].second));
  }

  // Each index level names the first entry of every chunk of the level below.
  uint32_t depth = 1;
  uint32_t root = kNone;
  std::vector<std::pair<std::string, uint32_t>> level;
  for (uint32_t c = 0; c < listings; ++c) level.emplace_back(sorted[runs[c].first].name, c);
  while (level.size() > 1) {
    std::vector<std::string> indexEntries;
    for (const auto& [name, chunkNumber] : level) {
      std::string encoded = encodeName(name);
      putEncint(encoded, chunkNumber);
      indexEntries.push_back(std::move(encoded));
    }
    std::vector<std::pair<std::string, uint32_t>> above;
    for (const auto& [begin, end] : splitIntoChunks(indexEntries, kIndexHeader)) {
      above.emplace_back(level[begin].first, static_cast<uint32_t>(chunks.size()));
      chunks.push_back(renderChunk(indexHeader(), indexEntries, begin, end));
    }
    level = std::move(above);
    ++depth;
    root = level.front().second;
  }

  std::string out = "ITSP";
  putU32(out, 1);
  putU32(out, static_cast<uint32_t>(kDirectoryHeaderSize));
  putU32(out, 0x0A);
  putU32(out, kChunkSize);
  putU32(out, 2);  // quick-reference density: every 1 + 2^2 entries
  putU32(out, depth);
  putU32(out, root);
  putU32(out, 0);  // first listing chunk
  putU32(out, listings - 1);
  putU32(out, kNone);
  putU32(out, static_cast<uint32_t>(chunks.size()));
  putU32(out, lcid);
  putGuid(out, 0x5D02926A, 0x212E, 0x11D0, kDirectoryGuidTail);
  putU32(out, static_cast<uint32_t>(kDirectoryHeaderSize));
  putU32(out, kNone);
  putU32(out, kNone);
  putU32(out, kNone);
  for (const std::string& chunk : chunks) out += chunk;
  return out;
}

std::string buildFileHeader(uint64_t directorySize, uint64_t section0Size, uint32_t timestamp,
                            uint32_t lcid) {
  std::string out = "ITSF";
  putU32(out, 3);
  putU32(out, 0x60);
  putU32(out, 1);
  putU32(out, timestamp);
  putU32(out, lcid);
  putGuid(out, 0x7C01FD10, 0x7BAA, 0x11D0, kGuidTail);
  putGuid(out, 0x7C01FD11, 0x7BAA, 0x11D0, kGuidTail);
  putU64(out, 0x60);
  putU64(out, 0x18);
  putU64(out, kFileHeaderSize);
  putU64(out, directorySize);
  putU64(out, kFileHeaderSize + directorySize);
  // Header section 0.
  putU32(out, 0x1FE);
  putU32(out, 0);
  putU64(out, kFileHeaderSize + directorySize + section0Size);
  putU32(out, 0);
  putU32(out, 0);
  return out;
}

}  // namespace chm
