// The build's file access as one small interface: the product goes to the Windows file API, tests
// to disks that fail on purpose.
#pragma once

#include <cstdint>
#include <string>

namespace t2c {

// How writing a whole file ended: a file that cannot be created is told from one that failed
// while open, which may hold part of its bytes.
enum class WriteResult { kWritten, kNotCreated, kWriteFailed };

class FileSystem {
 public:
  virtual ~FileSystem() = default;

  // Creates the file at `path` (an existing one is truncated), writes `bytes` unchanged, closes it
  // and marks it temporary. An empty path cannot be created; a failed close is a failed write.
  virtual WriteResult WriteTemporary(const std::string& path, const std::string& bytes) = 0;

  // Every byte of the file; false when it cannot be opened or read.
  virtual bool Read(const std::string& path, std::string& bytes) = 0;

  // The size of an existing file; -1 for a folder or a path that names nothing.
  virtual int64_t FileSize(const std::string& path) = 0;

  // Copies a file over whatever the destination holds; 0, or the system's error code.
  virtual uint32_t Copy(const std::string& from, const std::string& to) = 0;

  virtual bool Delete(const std::string& path) = 0;
};

}  // namespace t2c
