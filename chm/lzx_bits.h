// The LZX bit stream: 16-bit little-endian words filled from their most significant bit.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace chm {

class LzxBitWriter {
 public:
  explicit LzxBitWriter(std::vector<uint8_t>& bytes) : bytes_(bytes) {}

  // Appends the low `count` bits of `value` (count ≤ 32), most significant first.
  void put(uint32_t value, int count) {
    acc_ = (acc_ << count) | (value & ((uint64_t{1} << count) - 1));
    bits_ += count;
    while (bits_ >= 16) {
      bits_ -= 16;
      const uint32_t word = static_cast<uint32_t>(acc_ >> bits_) & 0xFFFF;
      bytes_.push_back(static_cast<uint8_t>(word));
      bytes_.push_back(static_cast<uint8_t>(word >> 8));
    }
  }
  // Zero bits up to the next word boundary; nothing when already there.
  void align() {
    if (bits_) put(0, 16 - bits_);
  }
  // An uncompressed block's padding: up to the next word boundary, a whole word when already there.
  void padBeforeRaw() { put(0, bits_ ? 16 - bits_ : 16); }
  // Byte-oriented data; only valid on a word boundary.
  void raw(const uint8_t* data, size_t size) { bytes_.insert(bytes_.end(), data, data + size); }
  void rawLe32(uint32_t value) {
    for (int i = 0; i < 4; ++i) bytes_.push_back(static_cast<uint8_t>(value >> (8 * i)));
  }
  bool aligned() const { return bits_ == 0; }
  // Bits written so far, the unfinished word included.
  size_t bitCount() const { return bytes_.size() * 8 + bits_; }

 private:
  std::vector<uint8_t>& bytes_;
  uint64_t acc_ = 0;
  int bits_ = 0;
};

}  // namespace chm
