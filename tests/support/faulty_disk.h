// A disk in memory that fails on purpose: the Nth write, every byte past its capacity, files of a
// folder it refuses, a copy it refuses.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "project/file_system.h"

namespace t2c {

class FaultyDisk : public FileSystem {
 public:
  std::map<std::string, std::string> files;
  int failingWrite = 0;         // the Nth write (from 1) fails once its file exists; 0: none does
  int64_t capacity = -1;        // bytes the disk holds in all; -1: no limit
  std::string refusedFolder;    // no file can be created in it
  uint32_t copyError = 0;       // what every copy answers; 0: copies work
  int writes = 0;
  std::vector<std::string> writeOrder;  // every path written, in order

  WriteResult WriteTemporary(const std::string& path, const std::string& bytes) override {
    if (path.empty() || (!refusedFolder.empty() && path.rfind(refusedFolder + "\\", 0) == 0)) {
      return WriteResult::kNotCreated;
    }
    writeOrder.push_back(path);
    std::string& file = files[path];
    file.clear();
    if (++writes == failingWrite) {
      file = bytes.substr(0, bytes.size() / 2);
      return WriteResult::kWriteFailed;
    }
    const int64_t room = capacity < 0 ? INT64_MAX : capacity - Used();
    if (static_cast<int64_t>(bytes.size()) > room) {
      file = bytes.substr(0, static_cast<size_t>(room));
      return WriteResult::kWriteFailed;
    }
    file = bytes;
    return WriteResult::kWritten;
  }

  bool Read(const std::string& path, std::string& bytes) override {
    const auto found = files.find(path);
    if (found == files.end()) return false;
    bytes = found->second;
    return true;
  }

  int64_t FileSize(const std::string& path) override {
    const auto found = files.find(path);
    return found == files.end() ? -1 : static_cast<int64_t>(found->second.size());
  }

  uint32_t Copy(const std::string& from, const std::string& to) override {
    if (copyError != 0) return copyError;
    const auto found = files.find(from);
    if (found == files.end()) return 2;  // the system's "file not found"
    files[to] = found->second;
    return 0;
  }

  bool Delete(const std::string& path) override { return files.erase(path) > 0; }

 private:
  int64_t Used() const {
    int64_t used = 0;
    for (const auto& file : files) used += static_cast<int64_t>(file.second.size());
    return used;
  }
};

}  // namespace t2c
