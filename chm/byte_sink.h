// Where the help-file writer puts bytes: a file in the programs, memory in tests.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace chm {

class ByteSink {
 public:
  virtual ~ByteSink() = default;
  // Appends the bytes; false when the medium failed (the writer then stops).
  virtual bool write(const void* data, size_t size) = 0;
};

// Holds the compressed section until the help file is laid out around it: a temporary file in
// the programs, memory in tests.
class Scratch : public ByteSink {
 public:
  // Copies everything written so far, in order, to `out`; false when reading back or `out` failed.
  virtual bool copyTo(ByteSink& out) = 0;
};

class MemorySink : public Scratch {
 public:
  bool write(const void* data, size_t size) override {
    bytes.append(static_cast<const char*>(data), size);
    return true;
  }
  bool copyTo(ByteSink& out) override { return out.write(bytes.data(), bytes.size()); }
  std::string bytes;
};

}  // namespace chm
