// Little-endian integers, GUIDs and the directory's big-endian 7-bit integers, appended to strings.
#pragma once

#include <cstdint>
#include <string>

namespace chm {

inline void putU16(std::string& out, uint32_t value) {
  out.push_back(static_cast<char>(value & 0xFF));
  out.push_back(static_cast<char>((value >> 8) & 0xFF));
}

inline void putU32(std::string& out, uint32_t value) {
  putU16(out, value & 0xFFFF);
  putU16(out, value >> 16);
}

inline void putU64(std::string& out, uint64_t value) {
  putU32(out, static_cast<uint32_t>(value));
  putU32(out, static_cast<uint32_t>(value >> 32));
}

// Overwrites four bytes at `at` (the string must already hold them).
inline void setU32(std::string& out, size_t at, uint32_t value) {
  for (int i = 0; i < 4; ++i) out[at + i] = static_cast<char>((value >> (8 * i)) & 0xFF);
}

// A GUID as Windows stores it: first three groups little-endian, the last eight bytes as written.
inline void putGuid(std::string& out, uint32_t data1, uint16_t data2, uint16_t data3,
                    const unsigned char (&data4)[8]) {
  putU32(out, data1);
  putU16(out, data2);
  putU16(out, data3);
  out.append(reinterpret_cast<const char*>(data4), 8);
}

// The directory's variable-length integer: 7 bits a byte, most significant group first, every
// byte but the last with its top bit set.
inline void putEncint(std::string& out, uint64_t value) {
  char groups[10];
  int count = 0;
  do {
    groups[count++] = static_cast<char>(value & 0x7F);
    value >>= 7;
  } while (value != 0);
  while (count > 1) out.push_back(static_cast<char>(groups[--count] | 0x80));
  out.push_back(groups[0]);
}

inline size_t encintSize(uint64_t value) {
  size_t size = 1;
  while (value >= 0x80) {
    value >>= 7;
    ++size;
  }
  return size;
}

}  // namespace chm
