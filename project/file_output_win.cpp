// Whole-file output with the Windows file API, so that failures are seen instead of lost in a stream.
#include "project/file_output_win.h"

#include <windows.h>

#include "project/text_mode.h"

namespace t2c {

namespace {

bool writeAll(HANDLE file, const std::string& bytes) {
  const char* data = bytes.data();
  size_t left = bytes.size();
  while (left > 0) {
    // WriteFile takes a 32-bit count; large texts go in slices.
    DWORD chunk = left > 0x10000000u ? 0x10000000u : static_cast<DWORD>(left);
    DWORD written = 0;
    if (!WriteFile(file, data, chunk, &written, nullptr) || written == 0) return false;
    data += written;
    left -= written;
  }
  return true;
}

}  // namespace

WriteResult writeFileBytes(const std::string& path, const std::string& bytes) {
  if (path.empty()) return WriteResult::kNotCreated;
  HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return WriteResult::kNotCreated;
  bool ok = writeAll(file, bytes);
  // A failed close can mean the data never reached the disk.
  if (!CloseHandle(file)) ok = false;
  return ok ? WriteResult::kWritten : WriteResult::kWriteFailed;
}

WriteResult writeTemporaryBytes(const std::string& path, const std::string& bytes) {
  const WriteResult result = writeFileBytes(path, bytes);
  if (result == WriteResult::kWritten) SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_TEMPORARY);
  return result;
}

bool writeWholeFile(const std::string& path, const std::string& bytes) {
  return writeFileBytes(path, bytes) == WriteResult::kWritten;
}

bool readWholeFile(const std::string& path, std::string& bytes) {
  HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  bytes.clear();
  char buffer[64 * 1024];
  DWORD got = 0;
  bool ok = true;
  while ((ok = ReadFile(file, buffer, sizeof buffer, &got, nullptr) != 0) && got > 0) bytes.append(buffer, got);
  CloseHandle(file);
  return ok;
}

bool writeTemporaryFile(const std::string& path, const std::string& bytes) {
  return writeTemporaryBytes(path, bytes) == WriteResult::kWritten;
}

bool writeTemporaryTextFile(const std::string& path, const std::string& text) {
  return writeTemporaryFile(path, textModeBytes(text));
}

}  // namespace t2c
