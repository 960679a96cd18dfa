// The build's file access on the Windows file API.
#include "project/file_system_win.h"

#include <windows.h>

#include "project/file_output_win.h"

namespace t2c {

namespace {

class WindowsFileSystem : public FileSystem {
 public:
  WriteResult WriteTemporary(const std::string& path, const std::string& bytes) override {
    return writeTemporaryBytes(path, bytes);
  }

  bool Read(const std::string& path, std::string& bytes) override { return readWholeFile(path, bytes); }

  int64_t FileSize(const std::string& path) override {
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) return -1;
    if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) return -1;
    return (static_cast<int64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
  }

  uint32_t Copy(const std::string& from, const std::string& to) override {
    if (CopyFileA(from.c_str(), to.c_str(), FALSE)) return 0;
    const DWORD error = GetLastError();
    return error != 0 ? error : ERROR_GEN_FAILURE;
  }

  bool Delete(const std::string& path) override { return DeleteFileA(path.c_str()) != 0; }
};

}  // namespace

FileSystem& windowsFileSystem() {
  static WindowsFileSystem files;
  return files;
}

}  // namespace t2c
