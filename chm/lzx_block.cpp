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

LzxBlockPlan LzxBlockWriter::plan(const LzxItem* items, size_t count) const {
  uint32_t mainFreqs[kLzxMainSymbols] = {0};
  uint32_t lengthFreqs[kLzxLengthSymbols] = {0};
  uint32_t alignedFreqs[kLzxAlignedSymbols] = {0};
  for (size_t i = 0; i < count; ++i) {
    const LzxItem& item = items[i];
    ++mainFreqs[item.main];
    if (item.main >= 256) {
      if ((item.main & 7) == 7) ++lengthFreqs[item.lengthSymbol];
      if (item.footerBits >= 3) ++alignedFreqs[item.footer & 7];
    }
  }
  LzxBlockPlan p;
  lzxBuildLengths(mainFreqs, kLzxMainSymbols, kMaxCodeLength, p.mainLengths);
  lzxBuildLengths(lengthFreqs, kLzxLengthSymbols, kMaxCodeLength, p.lengthLengths);
  // An unused length tree still gets a complete two-symbol code: every reader takes that.
  bool lengthTreeUsed = false;
  for (uint8_t len : p.lengthLengths) lengthTreeUsed = lengthTreeUsed || len;
  if (!lengthTreeUsed) p.lengthLengths[0] = p.lengthLengths[1] = 1;
  lzxBuildLengths(alignedFreqs, kLzxAlignedSymbols, kMaxAlignedLength, p.alignedLengths);
  uint64_t alignedCount = 0;
  for (uint32_t f : alignedFreqs) alignedCount += f;
  const uint64_t alignedBits = lzxCodedBits(alignedFreqs, p.alignedLengths, kLzxAlignedSymbols);
  p.aligned = alignedCount && alignedBits + 3 * kLzxAlignedSymbols < 3 * alignedCount;
  p.headerBits = 3 + 24 + (p.aligned ? 3 * kLzxAlignedSymbols : 0) +
                 lzxWriteLengths(p.mainLengths, mainLengths_, 256, nullptr) +
                 lzxWriteLengths(p.mainLengths + 256, mainLengths_ + 256, kLzxMainSymbols - 256,
                                 nullptr) +
                 lzxWriteLengths(p.lengthLengths, lengthLengths_, kLzxLengthSymbols, nullptr);
  return p;
}

size_t LzxBlockWriter::itemBits(const LzxBlockPlan& p, const LzxItem* items, size_t count) {
  size_t total = 0;
  for (size_t i = 0; i < count; ++i) {
    const LzxItem& item = items[i];
    total += p.mainLengths[item.main];
    if (item.main < 256) continue;
    if ((item.main & 7) == 7) total += p.lengthLengths[item.lengthSymbol];
    if (p.aligned && item.footerBits >= 3)
      total += item.footerBits - 3 + p.alignedLengths[item.footer & 7];
    else
      total += item.footerBits;
  }
  return total;
}

void LzxBlockWriter::writeHeader(const LzxBlockPlan& p, uint32_t size, LzxBitWriter& bits) {
  bits.put(p.aligned ? kBlockAligned : kBlockVerbatim, 3);
  bits.put(size, 24);
  if (p.aligned)
    for (uint8_t len : p.alignedLengths) bits.put(len, 3);
  lzxWriteLengths(p.mainLengths, mainLengths_, 256, &bits);
  lzxWriteLengths(p.mainLengths + 256, mainLengths_ + 256, kLzxMainSymbols - 256, &bits);
  lzxWriteLengths(p.lengthLengths, lengthLengths_, kLzxLengthSymbols, &bits);
  adopt(p);
}

void LzxBlockWriter::adopt(const LzxBlockPlan& p) {
  std::memcpy(mainLengths_, p.mainLengths, sizeof mainLengths_);
  std::memcpy(lengthLengths_, p.lengthLengths, sizeof lengthLengths_);
  aligned_ = p.aligned;
  std::memcpy(alignedLengths_, p.alignedLengths, sizeof alignedLengths_);
  lzxCanonicalCodes(mainLengths_, kLzxMainSymbols, mainCodes_);
  lzxCanonicalCodes(lengthLengths_, kLzxLengthSymbols, lengthCodes_);
  lzxCanonicalCodes(alignedLengths_, kLzxAlignedSymbols, alignedCodes_);
}

void LzxBlockWriter::writeItems(const LzxItem* items, size_t count, LzxBitWriter& bits) const {
  for (size_t i = 0; i < count; ++i) {
    const LzxItem& item = items[i];
    bits.put(mainCodes_[item.main], mainLengths_[item.main]);
    if (item.main < 256) continue;
    if ((item.main & 7) == 7)
      bits.put(lengthCodes_[item.lengthSymbol], lengthLengths_[item.lengthSymbol]);
    if (aligned_ && item.footerBits >= 3) {
      bits.put(item.footer >> 3, item.footerBits - 3);
      bits.put(alignedCodes_[item.footer & 7], alignedLengths_[item.footer & 7]);
    } else if (item.footerBits) {
      bits.put(item.footer, item.footerBits);
    }
  }
}

}  // namespace chm
