// Work folder life and file queries on the Windows file and shell services.
#include "project/work_folder_win.h"

#include <windows.h>

#include <vector>

#include "project/path_names.h"

namespace t2c {

namespace {

constexpr DWORD kPathRoom = MAX_PATH + 1;
constexpr DWORD kCurrentDirectoryRoom = 1040 + 1;
constexpr DWORD kModulePathRoom = 520;

uint32_t systemTicks() { return GetTickCount(); }

// Numbers temporary names; apart from the build's clock, so that holding one still leaves the
// other alone.
TickSource g_nameTicks = systemTicks;

// A unique number of zero would make the platform create a file and search for a free name.
UINT nonZeroUnique(DWORD number) {
  const UINT unique = number & 0xFFFFu;
  return unique != 0 ? unique : 1u;
}

std::string withTrailingBackslash(std::string folder) {
  if (folder.empty() || folder.back() != '\\') folder += '\\';
  return folder;
}

// The temporary name for one unique number; empty when the platform forms none.
std::string tempNameFor(const std::string& folder, UINT unique, const std::string& extension) {
  const std::string base = withTrailingBackslash(folder.empty() ? tempFolder() : folder);
  char buffer[kPathRoom] = {};
  if (GetTempFileNameA(base.c_str(), "abcd", unique, buffer) == 0) return std::string();
  std::string name = buffer;
  if (name.empty()) return name;
  if (extension.empty() || extension[0] != '.') {
    if (name.back() != '.') name += '.';
  }
  return name + extension;
}

}  // namespace

TickSource setTempNameTicks(TickSource source) {
  TickSource previous = g_nameTicks;
  g_nameTicks = source ? source : systemTicks;
  return previous;
}

std::string tempFolder() {
  char buffer[kPathRoom] = {};
  const DWORD length = GetTempPathA(kPathRoom, buffer);
  if (length == 0 || length >= kPathRoom) return std::string();
  return std::string(buffer, length);
}

std::string makeTempName(const std::string& folder, const std::string& extension) {
  return tempNameFor(folder, nonZeroUnique(g_nameTicks()), extension);
}

namespace {

// Takes the first temporary name of the same form, from the current tick's number on, that
// `create` can make exclusively. Another build or conversion, in this process or another, may
// own a name already (the same tick, or one 65536 ms earlier); what it owns is not ours to share
// or delete, so the next number is tried.
template <typename Create>
std::string claimTempName(const std::string& extension, Create create) {
  const std::string folder = tempFolder();
  if (folder.empty()) return std::string();
  const DWORD start = g_nameTicks();
  for (DWORD step = 0; step < 0x10000u; ++step) {
    const std::string name = tempNameFor(folder, nonZeroUnique(start + step), extension);
    if (name.empty()) return name;
    if (create(name)) return name;
    const DWORD error = GetLastError();
    if (error != ERROR_ALREADY_EXISTS && error != ERROR_FILE_EXISTS) return std::string();
  }
  return std::string();
}

}  // namespace

std::string makeWorkFolder() {
  return claimTempName("", [](const std::string& name) { return CreateDirectoryA(name.c_str(), nullptr) != 0; });
}

std::string createTempFile(const std::string& extension) {
  const std::vector<std::string> paths = createTempFiles({extension});
  return paths.empty() ? std::string() : paths.front();
}

std::vector<std::string> createTempFiles(const std::vector<std::string>& extensions) {
  std::vector<std::string> paths;
  if (extensions.empty()) return paths;
  const std::string& first = extensions.front();
  // The name of the first file, less its extension, is the stem of every other.
  const std::string name = claimTempName(first, [&](const std::string& claimed) {
    const std::string stem = claimed.substr(0, claimed.size() - first.size());
    for (const std::string& extension : extensions) {
      const std::string path = stem + extension;
      HANDLE file =
          CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
      if (file == INVALID_HANDLE_VALUE) {
        const DWORD error = GetLastError();
        for (const std::string& made : paths) DeleteFileA(made.c_str());
        paths.clear();
        SetLastError(error);
        return false;
      }
      CloseHandle(file);
      paths.push_back(path);
    }
    return true;
  });
  if (name.empty()) paths.clear();
  return paths;
}

bool removeWorkFolder(const std::string& path) {
  if (path.empty()) return false;
  std::vector<std::string> entries;
  entries.reserve(1000);
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA((path + "\\*.*").c_str(), &found);
  if (search != INVALID_HANDLE_VALUE) {
    do {
      const std::string name = found.cFileName;
      if (name != "." && name != "..") entries.push_back(path + "\\" + name);
    } while (FindNextFileA(search, &found));
    FindClose(search);
  }
  // Subfolders refuse DeleteFileA and stay, and so then does the folder itself.
  for (const std::string& entry : entries) DeleteFileA(entry.c_str());
  RemoveDirectoryA(path.c_str());
  return true;
}

std::string pluginsFolder() {
  char buffer[kModulePathRoom + 1] = {};
  DWORD length = GetModuleFileNameA(nullptr, buffer, kModulePathRoom);
  if (length > kModulePathRoom) length = kModulePathRoom;
  std::string folder = folderOf(std::string(buffer, length), false);
  if (folder.empty() || folder.back() != '\\') folder += '\\';
  return folder + "Plugins";
}

CurrentDirectoryScope::CurrentDirectoryScope(const std::string& folder) {
  char buffer[kCurrentDirectoryRoom] = {};
  const DWORD length = GetCurrentDirectoryA(kCurrentDirectoryRoom, buffer);
  if (length > 0 && length < kCurrentDirectoryRoom) saved_.assign(buffer, length);
  SetCurrentDirectoryA(folder.c_str());
}

CurrentDirectoryScope::~CurrentDirectoryScope() {
  if (!saved_.empty()) SetCurrentDirectoryA(saved_.c_str());
}

bool isExistingFile(const std::string& path) {
  const DWORD attributes = GetFileAttributesA(path.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) return GetLastError() == ERROR_ACCESS_DENIED;
  return (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

uint32_t fileSize(const std::string& path) {
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA(path.c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return 0;
  FindClose(search);
  return found.nFileSizeLow;
}

std::string formatByteSize(uint32_t size) {
  using FormatFunction = LPSTR(WINAPI*)(DWORD, LPSTR, UINT);
  std::string text;
  HMODULE library = LoadLibraryA("shlwapi.dll");
  if (library == nullptr) return text;
  auto format = reinterpret_cast<FormatFunction>(
      reinterpret_cast<void*>(GetProcAddress(library, "StrFormatByteSizeA")));
  if (format != nullptr) {
    char buffer[kPathRoom] = {};
    if (format(size, buffer, kPathRoom) != nullptr) text = buffer;
  }
  FreeLibrary(library);
  return text;
}

}  // namespace t2c
