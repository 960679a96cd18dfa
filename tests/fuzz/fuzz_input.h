// Reads structured values off a fuzz input; past its end every value is zero or empty, so that
// any input, however short, describes a whole case.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>

namespace fuzz {

class Input {
 public:
  Input(const uint8_t* data, size_t size) : data_(data), size_(size) {}

  uint8_t Byte() { return at_ < size_ ? data_[at_++] : 0; }
  // A value in [0, bound).
  uint32_t Below(uint32_t bound) { return bound ? Byte() % bound : 0; }
  bool Flag() { return Byte() & 1; }
  // A length byte, then up to that many bytes.
  std::string Text(size_t longest = 255) {
    const size_t length = std::min<size_t>(Byte(), longest);
    std::string text;
    while (text.size() < length && at_ < size_) text += static_cast<char>(data_[at_++]);
    return text;
  }
  // Whatever is left.
  std::string Rest() {
    std::string rest(reinterpret_cast<const char*>(data_) + at_, size_ - at_);
    at_ = size_;
    return rest;
  }

 private:
  const uint8_t* data_;
  size_t size_;
  size_t at_ = 0;
};

}  // namespace fuzz
