// LzxCompressor: cuts the section into frames and reset intervals, encodes each frame and keeps
// the offsets the reset table needs.
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

}  // namespace

struct LzxCompressor::State {
  State(ByteSink& sink, Mode how) : out(sink), mode(how), interval(kIntervalSize) {}

  ByteSink& out;
  Mode mode;
  std::vector<uint8_t> interval;  // the current reset interval's bytes so far
  size_t fill = 0;                // bytes of `interval` received
  size_t frameStart = 0;          // where the next frame to encode starts in `interval`
  uint64_t given = 0;
  uint64_t written = 0;
  std::vector<uint64_t> offsets;
  std::vector<uint8_t> frameBytes;
  uint32_t repeats[3] = {1, 1, 1};
  LzxMatcher matcher;
  LzxBlockWriter blocks;
  std::vector<LzxItem> items;
  bool failed = false;
  bool finished = false;

  // Frame `frameStart` of the interval is complete: encode and send it.
  bool encodeFrame() {
    const bool intervalStart = frameStart == 0;
    if (intervalStart) {
      std::fill(std::begin(repeats), std::end(repeats), 1u);
      matcher.startInterval();
      blocks.startInterval();
    }
    if (mode == Mode::Compress) compressFrame(intervalStart);
    if (mode == Mode::StoreOnly || frameBytes.size() >= kStoredFrameBytes) {
      frameBytes.clear();
      LzxBitWriter bits(frameBytes);
      if (intervalStart) bits.put(0, 1);  // no E8 translation
      storeFrame(bits);
    }
    offsets.push_back(written);
    if (!out.write(frameBytes.data(), frameBytes.size())) failed = true;
    written += frameBytes.size();
    frameStart += kFrameSize;
    if (frameStart == kIntervalSize) frameStart = fill = 0;
    return !failed;
  }

  // Encodes the frame as one compressed block. When that does not beat storing it, the state
  // the block changed goes back to what the stored block will leave.
  void compressFrame(bool intervalStart) {
    uint32_t savedRepeats[3];
    std::copy(std::begin(repeats), std::end(repeats), savedRepeats);
    const LzxBlockWriter savedBlocks = blocks;
    items.clear();
    matcher.parseFrame(interval.data(), frameStart, frameStart + kFrameSize, repeats, items);
    frameBytes.clear();
    LzxBitWriter bits(frameBytes);
    if (intervalStart) bits.put(0, 1);  // no E8 translation
    blocks.write(items, static_cast<uint32_t>(kFrameSize), bits);
    bits.align();
    if (frameBytes.size() >= kStoredFrameBytes) {
      std::copy(savedRepeats, savedRepeats + 3, repeats);
      blocks = savedBlocks;
    }
  }

  // One uncompressed block holding the whole frame, carrying the current repeated offsets.
  void storeFrame(LzxBitWriter& bits) {
    bits.put(kBlockUncompressed, 3);
    bits.put(static_cast<uint32_t>(kFrameSize), 24);
    bits.padBeforeRaw();
    for (uint32_t r : repeats) bits.rawLe32(r);
    bits.raw(interval.data() + frameStart, kFrameSize);
  }
};

LzxCompressor::LzxCompressor(ByteSink& out, Mode mode) : state_(new State(out, mode)) {}

LzxCompressor::~LzxCompressor() = default;

bool LzxCompressor::write(const void* data, size_t size) {
  State& s = *state_;
  if (s.failed || s.finished) return false;
  const uint8_t* from = static_cast<const uint8_t*>(data);
  while (size > 0) {
    const size_t room = s.frameStart + kFrameSize - s.fill;
    const size_t take = std::min(room, size);
    std::memcpy(s.interval.data() + s.fill, from, take);
    s.fill += take;
    s.given += take;
    from += take;
    size -= take;
    if (s.fill == s.frameStart + kFrameSize && !s.encodeFrame()) return false;
  }
  return true;
}

bool LzxCompressor::finish() {
  State& s = *state_;
  if (s.finished) return !s.failed;
  s.finished = true;
  if (!s.failed && s.fill > s.frameStart) {
    std::memset(s.interval.data() + s.fill, 0, s.frameStart + kFrameSize - s.fill);
    s.fill = s.frameStart + kFrameSize;
    s.encodeFrame();
  }
  s.offsets.push_back(s.written);
  return !s.failed;
}

const std::vector<uint64_t>& LzxCompressor::frameOffsets() const { return state_->offsets; }

uint64_t LzxCompressor::uncompressedLength() const { return state_->given; }

uint64_t LzxCompressor::compressedLength() const { return state_->written; }

}  // namespace chm
