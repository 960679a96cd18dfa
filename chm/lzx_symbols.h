// LZX's alphabet for a 64 KiB window: the position slots, the main and length symbols, and the
// parsed form of a frame (literals and matches) that the block writer turns into bits.
#pragma once

#include <cstddef>
#include <cstdint>

namespace chm {

constexpr int kLzxSlots = 32;                         // 64 KiB window
constexpr int kLzxMainSymbols = 256 + 8 * kLzxSlots;  // literals, then slot × length header
constexpr int kLzxLengthSymbols = 249;
constexpr int kLzxAlignedSymbols = 8;
constexpr int kLzxPreSymbols = 20;
constexpr int kLzxMinMatch = 2;
constexpr int kLzxMaxMatch = 257;
constexpr uint32_t kLzxMaxDistance = 65533;  // the largest the slots can say, and 7-Zip's limit

// A literal (main symbol < 256) or a match: main symbol, length-tree symbol when the length
// needs one, and the position footer with its bit count.
struct LzxItem {
  uint16_t main;
  uint8_t lengthSymbol;
  uint8_t footerBits;
  uint32_t footer;
};

inline int lzxExtraBits(int slot) { return slot < 4 ? 0 : slot / 2 - 1; }

inline uint32_t lzxSlotBase(int slot) {
  if (slot < 4) return static_cast<uint32_t>(slot);
  const int extra = slot / 2 - 1;
  return (uint32_t{1} << (slot / 2)) + (static_cast<uint32_t>(slot & 1) << extra);
}

// The slot of a formatted offset (distance + 2, so at least 3).
inline int lzxSlotOf(uint32_t formatted) {
  if (formatted < 4) return static_cast<int>(formatted);
  int high = 31 - __builtin_clz(formatted);
  return 2 * high + static_cast<int>((formatted >> (high - 1)) & 1);
}

}  // namespace chm
