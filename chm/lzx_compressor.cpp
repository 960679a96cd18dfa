// LzxCompressor: cuts the section into frames and reset intervals, parses each frame as it
// completes, lays out each interval in the cheapest way the readers accept and keeps the
// offsets the reset table needs.
#include "chm/lzx_compressor.h"

#include <algorithm>
#include <cstring>

#include "chm/lzx_bits.h"
#include "chm/lzx_block.h"
#include "chm/lzx_matcher.h"

namespace chm {

namespace {

constexpr size_t kIntervalSize = LzxCompressor::kFrameSize * LzxCompressor::kFramesPerReset;
constexpr uint32_t kBlockUncompressed = 3;
constexpr size_t kStoredFrameBytes = 4 + 12 + LzxCompressor::kFrameSize;  // header, R0-R2, bytes

// Bytes of a frame part of `bits` bits once realigned to 16 bits.
size_t alignedBytes(size_t bits) { return (bits + 15) / 16 * 2; }

}  // namespace

struct LzxCompressor::State {
  State(ByteSink& sink, Mode how) : out(sink), mode(how), interval(kIntervalSize) {}

  ByteSink& out;
  Mode mode;
  std::vector<uint8_t> interval;  // the current reset interval's bytes so far
  size_t fill = 0;                // bytes of `interval` received
  size_t framesParsed = 0;        // complete frames of the interval
  std::vector<LzxItem> items;     // the parsed frames of the interval
  size_t split = 0;               // items of the first frame: [0, split)
  uint32_t repeats[3] = {1, 1, 1};
  uint32_t repeatsAfter[kFramesPerReset][3] = {};  // what a stored frame must hand on
  LzxMatcher matcher;
  LzxBlockWriter blocks;
  std::vector<uint8_t> encoded;
  uint64_t given = 0;
  uint64_t written = 0;
  std::vector<uint64_t> offsets;
  bool failed = false;
  bool finished = false;

  size_t frameEnd() const { return (framesParsed + 1) * kFrameSize; }

  void frameComplete() {
    const size_t start = framesParsed * kFrameSize;
    if (framesParsed == 0) {
      std::fill(std::begin(repeats), std::end(repeats), 1u);
      matcher.startInterval();
      items.clear();
    }
    if (mode == Mode::Compress)
      matcher.parseFrame(interval.data(), start, start + kFrameSize, repeats, items);
    std::copy(std::begin(repeats), std::end(repeats), repeatsAfter[framesParsed]);
    if (framesParsed == 0) split = items.size();
    if (++framesParsed == kFramesPerReset) encodeInterval();
  }

  // Chooses between one block for the whole interval and a block (or a stored frame) per
  // frame, writes the interval and sends it.
  void encodeInterval() {
    const LzxItem* part[2] = {items.data(), items.data() + split};
    const size_t count[2] = {split, items.size() - split};
    blocks.startInterval();
    bool stored[2] = {true, true};
    LzxBlockPlan plans[2];
    bool whole = false;
    LzxBlockPlan wholePlan;
    if (mode == Mode::Compress) {
      LzxBlockWriter trial = blocks;
      size_t perFrameBytes = 0;
      for (size_t f = 0; f < framesParsed; ++f) {
        plans[f] = trial.plan(part[f], count[f]);
        const size_t bytes = alignedBytes((f == 0) + plans[f].headerBits +
                                          LzxBlockWriter::itemBits(plans[f], part[f], count[f]));
        stored[f] = bytes >= kStoredFrameBytes;
        if (!stored[f]) trial.adopt(plans[f]);
        perFrameBytes += stored[f] ? kStoredFrameBytes : bytes;
      }
      if (framesParsed == 2) {
        wholePlan = blocks.plan(items.data(), items.size());
        const size_t first = alignedBytes(1 + wholePlan.headerBits +
                                          LzxBlockWriter::itemBits(wholePlan, part[0], count[0]));
        const size_t second = alignedBytes(LzxBlockWriter::itemBits(wholePlan, part[1], count[1]));
        whole = first < kStoredFrameBytes && second < kStoredFrameBytes &&
                first + second < perFrameBytes;
      }
    }
    encoded.clear();
    LzxBitWriter bits(encoded);
    size_t frameStarts[2] = {0, 0};
    bits.put(0, 1);  // no E8 translation
    if (whole) {
      blocks.writeHeader(wholePlan, static_cast<uint32_t>(kIntervalSize), bits);
      blocks.writeItems(part[0], count[0], bits);
      bits.align();
      frameStarts[1] = encoded.size();
      blocks.writeItems(part[1], count[1], bits);
      bits.align();
    } else {
      for (size_t f = 0; f < framesParsed; ++f) {
        frameStarts[f] = encoded.size();
        if (stored[f]) {
          storeFrame(f, bits);
        } else {
          blocks.writeHeader(plans[f], static_cast<uint32_t>(kFrameSize), bits);
          blocks.writeItems(part[f], count[f], bits);
          bits.align();
        }
      }
    }
    if (whole)
      matcher.learnCosts(wholePlan.mainLengths, wholePlan.lengthLengths, items.data(), items.size());
    for (size_t f = 0; f < framesParsed; ++f) {
      if (!whole && !stored[f])
        matcher.learnCosts(plans[f].mainLengths, plans[f].lengthLengths, part[f], count[f]);
    }
    for (size_t f = 0; f < framesParsed; ++f) offsets.push_back(written + frameStarts[f]);
    if (!out.write(encoded.data(), encoded.size())) failed = true;
    written += encoded.size();
    fill = 0;
    framesParsed = 0;
  }

  // One uncompressed block holding frame `f`, carrying the repeated offsets the parser had at
  // its end, so that the frames after it decode as parsed.
  void storeFrame(size_t f, LzxBitWriter& bits) {
    bits.put(kBlockUncompressed, 3);
    bits.put(static_cast<uint32_t>(kFrameSize), 24);
    bits.padBeforeRaw();
    for (uint32_t r : repeatsAfter[f]) bits.rawLe32(r);
    bits.raw(interval.data() + f * kFrameSize, kFrameSize);
  }
};

LzxCompressor::LzxCompressor(ByteSink& out, Mode mode) : state_(new State(out, mode)) {}

LzxCompressor::~LzxCompressor() = default;

bool LzxCompressor::write(const void* data, size_t size) {
  State& s = *state_;
  if (s.failed || s.finished) return false;
  const uint8_t* from = static_cast<const uint8_t*>(data);
  while (size > 0) {
    const size_t take = std::min(s.frameEnd() - s.fill, size);
    std::memcpy(s.interval.data() + s.fill, from, take);
    s.fill += take;
    s.given += take;
    from += take;
    size -= take;
    if (s.fill == s.frameEnd()) {
      s.frameComplete();
      if (s.failed) return false;
    }
  }
  return true;
}

bool LzxCompressor::finish() {
  State& s = *state_;
  if (s.finished) return !s.failed;
  s.finished = true;
  if (s.failed) return false;
  if (s.fill > s.framesParsed * kFrameSize) {
    std::memset(s.interval.data() + s.fill, 0, s.frameEnd() - s.fill);
    s.fill = s.frameEnd();
    s.frameComplete();
  }
  if (s.framesParsed > 0) s.encodeInterval();
  s.offsets.push_back(s.written);
  return !s.failed;
}

const std::vector<uint64_t>& LzxCompressor::frameOffsets() const { return state_->offsets; }

uint64_t LzxCompressor::uncompressedLength() const { return state_->given; }

uint64_t LzxCompressor::compressedLength() const { return state_->written; }

}  // namespace chm
