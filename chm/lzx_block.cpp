// Verbatim and aligned-offset LZX blocks.
#include "chm/lzx_block.h"

#include <cstring>

#include "chm/lzx_huffman.h"

namespace chm {

namespace {

constexpr uint32_t kBlockVerbatim = 1;
constexpr uint32_t kBlockAligned = 2;
constexpr int kMaxCodeLength = 16;
constexpr int kMaxAlignedLength = 7;

}  // namespace

void LzxBlockWriter::startInterval() {
  std::memset(mainLengths_, 0, sizeof mainLengths_);
  std::memset(lengthLengths_, 0, sizeof lengthLengths_);
}

void LzxBlockWriter::write(const std::vector<LzxItem>& items, uint32_t size, LzxBitWriter& bits) {
  uint32_t mainFreqs[kLzxMainSymbols] = {0};
  uint32_t lengthFreqs[kLzxLengthSymbols] = {0};
  uint32_t alignedFreqs[kLzxAlignedSymbols] = {0};
  for (const LzxItem& item : items) {
    ++mainFreqs[item.main];
    if (item.main >= 256) {
      if ((item.main & 7) == 7) ++lengthFreqs[item.lengthSymbol];
      if (item.footerBits >= 3) ++alignedFreqs[item.footer & 7];
    }
  }
  uint8_t mainLengths[kLzxMainSymbols];
  uint8_t lengthLengths[kLzxLengthSymbols];
  uint8_t alignedLengths[kLzxAlignedSymbols];
  lzxBuildLengths(mainFreqs, kLzxMainSymbols, kMaxCodeLength, mainLengths);
  lzxBuildLengths(lengthFreqs, kLzxLengthSymbols, kMaxCodeLength, lengthLengths);
  // An unused length tree still gets a complete two-symbol code: every reader takes that.
  bool lengthTreeUsed = false;
  for (uint8_t len : lengthLengths) lengthTreeUsed = lengthTreeUsed || len;
  if (!lengthTreeUsed) lengthLengths[0] = lengthLengths[1] = 1;
  lzxBuildLengths(alignedFreqs, kLzxAlignedSymbols, kMaxAlignedLength, alignedLengths);
  uint64_t alignedCount = 0;
  for (uint32_t f : alignedFreqs) alignedCount += f;
  const uint64_t alignedBits = lzxCodedBits(alignedFreqs, alignedLengths, kLzxAlignedSymbols);
  const bool aligned = alignedCount && alignedBits + 3 * kLzxAlignedSymbols < 3 * alignedCount;

  bits.put(aligned ? kBlockAligned : kBlockVerbatim, 3);
  bits.put(size, 24);
  if (aligned)
    for (uint8_t len : alignedLengths) bits.put(len, 3);
  lzxWriteLengths(mainLengths, mainLengths_, 256, &bits);
  lzxWriteLengths(mainLengths + 256, mainLengths_ + 256, kLzxMainSymbols - 256, &bits);
  lzxWriteLengths(lengthLengths, lengthLengths_, kLzxLengthSymbols, &bits);
  std::memcpy(mainLengths_, mainLengths, sizeof mainLengths_);
  std::memcpy(lengthLengths_, lengthLengths, sizeof lengthLengths_);

  uint16_t mainCodes[kLzxMainSymbols];
  uint16_t lengthCodes[kLzxLengthSymbols];
  uint16_t alignedCodes[kLzxAlignedSymbols];
  lzxCanonicalCodes(mainLengths, kLzxMainSymbols, mainCodes);
  lzxCanonicalCodes(lengthLengths, kLzxLengthSymbols, lengthCodes);
  lzxCanonicalCodes(alignedLengths, kLzxAlignedSymbols, alignedCodes);
  for (const LzxItem& item : items) {
    bits.put(mainCodes[item.main], mainLengths[item.main]);
    if (item.main < 256) continue;
    if ((item.main & 7) == 7)
      bits.put(lengthCodes[item.lengthSymbol], lengthLengths[item.lengthSymbol]);
    if (aligned && item.footerBits >= 3) {
      bits.put(item.footer >> 3, item.footerBits - 3);
      bits.put(alignedCodes[item.footer & 7], alignedLengths[item.footer & 7]);
    } else if (item.footerBits) {
      bits.put(item.footer, item.footerBits);
    }
  }
}

}  // namespace chm
