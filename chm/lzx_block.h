// Writes LZX verbatim or aligned-offset blocks (whichever is smaller), their trees sent as
// differences from the previous block's in the same reset interval. A block may hold two
// frames; the bit stream is realigned between them.
#pragma once

#include <cstddef>
#include <cstdint>

#include "chm/lzx_bits.h"
#include "chm/lzx_symbols.h"

namespace chm {

// A block's trees and what it costs, before anything is written.
struct LzxBlockPlan {
  uint8_t mainLengths[kLzxMainSymbols];
  uint8_t lengthLengths[kLzxLengthSymbols];
  uint8_t alignedLengths[kLzxAlignedSymbols];
  bool aligned = false;
  size_t headerBits = 0;  // block type and size, trees
};

class LzxBlockWriter {
 public:
  // Previous lengths back to zero, as every decoder does at a reset.
  void startInterval();
  // The trees of a block holding items[0..count) and the bits of its header.
  LzxBlockPlan plan(const LzxItem* items, size_t count) const;
  // The bits items[0..count) take under the plan's codes.
  static size_t itemBits(const LzxBlockPlan& plan, const LzxItem* items, size_t count);
  // Makes the plan's trees the current and previous ones, as writing its header does.
  void adopt(const LzxBlockPlan& plan);
  // Writes the header of a block producing `size` bytes; its lengths become the previous ones.
  void writeHeader(const LzxBlockPlan& plan, uint32_t size, LzxBitWriter& bits);
  // Writes items of the block whose header was written last.
  void writeItems(const LzxItem* items, size_t count, LzxBitWriter& bits) const;

 private:
  uint8_t mainLengths_[kLzxMainSymbols] = {};
  uint8_t lengthLengths_[kLzxLengthSymbols] = {};
  // The codes of the block being written.
  bool aligned_ = false;
  uint8_t alignedLengths_[kLzxAlignedSymbols] = {};
  uint16_t mainCodes_[kLzxMainSymbols] = {};
  uint16_t lengthCodes_[kLzxLengthSymbols] = {};
  uint16_t alignedCodes_[kLzxAlignedSymbols] = {};
};

}  // namespace chm
