// Builds the section names, LZX control data, span, transform list and reset table.
#include "chm/dataspace_files.h"

#include "chm/le_bytes.h"

namespace chm {
namespace {

void putUtf16(std::string& out, const std::string& ascii) {
  for (char c : ascii) putU16(out, static_cast<unsigned char>(c));
}

}  // namespace

std::string nameListFile() {
  std::string names;
  for (const char* name : {"Uncompressed", "MSCompressed"}) {
    putU16(names, static_cast<uint32_t>(std::string(name).size()));
    putUtf16(names, name);
    putU16(names, 0);
  }
  std::string out;
  putU16(out, static_cast<uint32_t>((4 + names.size()) / 2));
  putU16(out, 2);
  return out + names;
}

std::string controlDataFile() {
  std::string out;
  putU32(out, 6);
  out += "LZXC";
  putU32(out, 2);  // the next two in units of 32 KiB
  putU32(out, 2);  // reset interval
  putU32(out, 2);  // window
  putU32(out, 1);  // frames between resets = reset interval / (window / 2) * this
  putU32(out, 0);
  return out;
}

std::string transformListFile() {
  // The transform's GUID, cut short after 19 characters as every compiler writes it.
  std::string out;
  putUtf16(out, "{7FC28940-9D31-11D0");
  return out;
}

std::string spanInfoFile(uint64_t uncompressedLength) {
  std::string out;
  putU64(out, uncompressedLength);
  return out;
}

std::string resetTableFile(const std::vector<uint64_t>& frameOffsets, uint64_t uncompressedLength,
                           uint64_t compressedLength) {
  std::string out;
  putU32(out, 2);
  putU32(out, static_cast<uint32_t>(frameOffsets.size()));
  putU32(out, 8);
  putU32(out, 0x28);
  putU64(out, uncompressedLength);
  putU64(out, compressedLength);
  putU64(out, 0x8000);
  for (uint64_t offset : frameOffsets) putU64(out, offset);
  return out;
}

}  // namespace chm
