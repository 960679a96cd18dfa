// LZX compression of a help file's compressed section: 32 KiB frames, a reset every two frames,
// a 64 KiB window, as every CHM reader expects.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "chm/byte_sink.h"

namespace chm {

class LzxCompressor {
 public:
  static constexpr size_t kFrameSize = 32768;
  static constexpr size_t kFramesPerReset = 2;

  enum class Mode { Compress, StoreOnly };  // StoreOnly: uncompressed blocks, for tests and fallbacks

  explicit LzxCompressor(ByteSink& out, Mode mode = Mode::Compress);
  ~LzxCompressor();
  LzxCompressor(const LzxCompressor&) = delete;
  LzxCompressor& operator=(const LzxCompressor&) = delete;

  // Takes the next uncompressed bytes of the section, in any chunking; false when `out` failed.
  bool write(const void* data, size_t size);
  // Pads the last frame with zeros, compresses it and flushes; false when `out` failed.
  bool finish();

  // After finish: the offset of each frame's first compressed byte, then the total compressed
  // length (the reset table's entries).
  const std::vector<uint64_t>& frameOffsets() const;
  uint64_t uncompressedLength() const;  // bytes given, without the padding
  uint64_t compressedLength() const;

 private:
  struct State;
  std::unique_ptr<State> state_;
};

}  // namespace chm
