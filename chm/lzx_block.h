// Writes an LZX frame's items as one verbatim or aligned-offset block, whichever is smaller,
// with its trees sent as differences from the previous block's in the same reset interval.
#pragma once

#include <cstdint>
#include <vector>

#include "chm/lzx_bits.h"
#include "chm/lzx_symbols.h"

namespace chm {

class LzxBlockWriter {
 public:
  // Previous lengths back to zero, as every decoder does at a reset.
  void startInterval();
  // One block producing `size` bytes from `items`.
  void write(const std::vector<LzxItem>& items, uint32_t size, LzxBitWriter& bits);

 private:
  uint8_t mainLengths_[kLzxMainSymbols] = {};
  uint8_t lengthLengths_[kLzxLengthSymbols] = {};
};

}  // namespace chm
