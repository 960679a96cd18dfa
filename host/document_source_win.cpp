// Listing and reading a document folder through the Windows file functions.
#include "host/document_source_win.h"

#include <windows.h>

namespace tly {

std::vector<FolderEntry> FileSystemSource::List(const std::string& folder) {
  std::vector<FolderEntry> entries;
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return entries;
  do {
    const std::string name = found.cFileName;
    if (name == "." || name == ".." || (found.dwFileAttributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM)))
      continue;
    entries.push_back({name, (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0});
  } while (FindNextFileA(search, &found));
  FindClose(search);
  return entries;
}

bool FileSystemSource::Read(const std::string& file, std::string& bytes) {
  HANDLE handle = CreateFileA(file.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
  if (handle == INVALID_HANDLE_VALUE) return false;
  bool whole = false;
  LARGE_INTEGER size;
  // A note is held in memory as one string; larger files than 256 MB are no notes.
  if (GetFileSizeEx(handle, &size) && size.QuadPart < (256LL << 20)) {
    bytes.assign(static_cast<size_t>(size.QuadPart), '\0');
    DWORD read = 0;
    whole = bytes.empty() || (ReadFile(handle, &bytes[0], static_cast<DWORD>(bytes.size()), &read, nullptr) &&
                              read == bytes.size());
  }
  CloseHandle(handle);
  if (!whole) bytes.clear();
  return whole;
}

std::string fullPathOf(const std::string& path) {
  char buffer[MAX_PATH * 2] = "";
  DWORD length = GetFullPathNameA(path.c_str(), sizeof buffer, buffer, nullptr);
  if (length == 0 || length >= sizeof buffer) return path;
  std::string full(buffer, length);
  while (full.size() > 3 && (full.back() == '\\' || full.back() == '/')) full.pop_back();
  return full;
}

bool isFolderPath(const std::string& path) {
  DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

}  // namespace tly
