// HHC.exe: the help compiler the plug-in starts as it starts Microsoft's, a plain Windows program.
//
// The project file's full path is the whole parameter string, unquoted even with blanks; the
// exit code is 1 when the help file was made and 0 when not. Names in the project are in the
// ANSI code page of its language; the console goes to whoever reads our standard output.
#include <windows.h>

#include <cstdio>
#include <ctime>
#include <string>

#include "chm/compile_job.h"
#include "chm/help_project.h"

namespace {

std::wstring parameterString() {
  const wchar_t* p = GetCommandLineW();
  if (*p == L'"') {
    for (++p; *p && *p != L'"'; ++p) {}
    if (*p) ++p;
  } else {
    while (*p && *p != L' ' && *p != L'\t') ++p;
  }
  while (*p == L' ' || *p == L'\t') ++p;
  std::wstring rest(p);
  while (!rest.empty() && (rest.back() == L' ' || rest.back() == L'\t')) rest.pop_back();
  // Quotes are tolerated so that callers other than the plug-in may quote as usual.
  if (rest.size() >= 2 && rest.front() == L'"' && rest.back() == L'"') rest = rest.substr(1, rest.size() - 2);
  return rest;
}

std::string narrow(const std::wstring& text, UINT codePage) {
  if (text.empty()) return std::string();
  const int size = WideCharToMultiByte(codePage, 0, text.c_str(), -1, nullptr, 0, nullptr, nullptr);
  std::string out(size > 0 ? size - 1 : 0, '\0');
  if (size > 1) WideCharToMultiByte(codePage, 0, text.c_str(), -1, &out[0], size, nullptr, nullptr);
  return out;
}

std::wstring widen(const std::string& text, UINT codePage) {
  if (text.empty()) return std::wstring();
  const int size = MultiByteToWideChar(codePage, 0, text.c_str(), -1, nullptr, 0);
  std::wstring out(size > 0 ? size - 1 : 0, L'\0');
  if (size > 1) MultiByteToWideChar(codePage, 0, text.c_str(), -1, &out[0], size);
  return out;
}

std::string lastError() {
  char text[512] = "";
  const DWORD code = GetLastError();
  DWORD length = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code, 0, text,
                                sizeof text, nullptr);
  while (length > 0 && (text[length - 1] == '\r' || text[length - 1] == '\n' || text[length - 1] == '.')) --length;
  return length ? std::string(text, length) : "system error " + std::to_string(code);
}

// Writes through a buffer of its own: the help file's writer hands over small pieces.
class HandleSink {
 public:
  explicit HandleSink(HANDLE handle) : handle_(handle) { buffer_.reserve(kBuffer); }
  HANDLE handle() const { return handle_; }
  bool put(const void* data, size_t size) {
    if (buffer_.size() + size > kBuffer && !flush()) return false;
    if (size >= kBuffer) return writeAll(data, size);
    buffer_.append(static_cast<const char*>(data), size);
    return true;
  }
  bool flush() {
    const bool ok = writeAll(buffer_.data(), buffer_.size());
    buffer_.clear();
    return ok;
  }

 private:
  static constexpr size_t kBuffer = 1 << 16;
  bool writeAll(const void* data, size_t size) {
    const char* at = static_cast<const char*>(data);
    while (size > 0) {
      DWORD written = 0;
      const DWORD piece = size > (1u << 30) ? (1u << 30) : static_cast<DWORD>(size);
      if (!WriteFile(handle_, at, piece, &written, nullptr) || written == 0) return false;
      at += written;
      size -= written;
    }
    return true;
  }
  HANDLE handle_;
  std::string buffer_;
};

class OutputOnDisk : public chm::OutputFile {
 public:
  OutputOnDisk(HANDLE handle, std::wstring temporary, std::wstring final)
      : sink_(handle), temporary_(std::move(temporary)), final_(std::move(final)) {}
  ~OutputOnDisk() override {
    if (open_) CloseHandle(sink_.handle());
    if (!committed_) DeleteFileW(temporary_.c_str());
  }
  bool write(const void* data, size_t size) override { return sink_.put(data, size); }
  bool commit(std::string& error) override {
    const bool written = sink_.flush() && FlushFileBuffers(sink_.handle());
    if (!written) error = lastError();
    open_ = false;
    const bool closed = CloseHandle(sink_.handle()) != 0;
    if (written && !closed) error = lastError();
    committed_ = written && closed && MoveFileExW(temporary_.c_str(), final_.c_str(), MOVEFILE_REPLACE_EXISTING);
    if (written && closed && !committed_) error = lastError();
    return committed_;
  }

 private:
  HandleSink sink_;
  std::wstring temporary_;
  std::wstring final_;
  bool open_ = true;
  bool committed_ = false;
};

// A temporary file the system deletes when it is closed, however the program ends.
class ScratchOnDisk : public chm::Scratch {
 public:
  explicit ScratchOnDisk(HANDLE handle) : sink_(handle) {}
  ~ScratchOnDisk() override { CloseHandle(sink_.handle()); }
  bool write(const void* data, size_t size) override { return sink_.put(data, size); }
  bool copyTo(chm::ByteSink& out) override {
    LARGE_INTEGER start = {};
    if (!sink_.flush() || !SetFilePointerEx(sink_.handle(), start, nullptr, FILE_BEGIN)) return false;
    std::string buffer(1 << 16, '\0');
    DWORD got = 0;
    bool ok = true;
    while (ok && (ok = ReadFile(sink_.handle(), &buffer[0], static_cast<DWORD>(buffer.size()), &got, nullptr)) && got > 0)
      ok = out.write(buffer.data(), got);
    SetFilePointerEx(sink_.handle(), start, nullptr, FILE_END);
    return ok;
  }

 private:
  HandleSink sink_;
};

class WindowsFolder : public chm::ProjectFolder {
 public:
  explicit WindowsFolder(const std::wstring& project) : project_(project) {
    const size_t slash = project.find_last_of(L"\\/");
    folder_ = slash == std::wstring::npos ? L"." : project.substr(0, slash);
    name_ = slash == std::wstring::npos ? project : project.substr(slash + 1);
  }

  std::string projectName() override { return narrow(name_, CP_ACP); }

  Read readProject(std::string& bytes, std::string& error) override {
    const Read result = read(project_, bytes, error);
    if (result == Read::Ok) {
      const unsigned codePage = chm::ansiCodePage(chm::languageId(chm::readHelpProject(bytes).language));
      // A code page this system lacks leaves the names in the system's own.
      if (codePage != 0 && IsValidCodePage(codePage)) codePage_ = codePage;
    }
    return result;
  }

  Read readFile(const std::string& name, std::string& bytes, std::string& error) override {
    return read(widePath(name), bytes, error);
  }

  std::string pathOf(const std::string& name) override {
    std::string path = narrow(folder_, CP_ACP) + "\\" + name;
    if (isAbsolute(name)) path = name;
    for (char& c : path)
      if (c == '/') c = '\\';
    return path;
  }

  std::unique_ptr<chm::OutputFile> createOutput(const std::string& name, std::string& error) override {
    const std::wstring final = widePath(name);
    const std::wstring folder = final.substr(0, final.find_last_of(L"\\/"));
    wchar_t temporary[MAX_PATH * 2] = L"";
    if (!GetTempFileNameW(folder.c_str(), L"hhc", 0, temporary)) return error = lastError(), nullptr;
    HANDLE handle = CreateFileW(temporary, GENERIC_WRITE, 0, nullptr, TRUNCATE_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
      error = lastError();
      DeleteFileW(temporary);
      return nullptr;
    }
    return std::make_unique<OutputOnDisk>(handle, temporary, final);
  }

  std::unique_ptr<chm::Scratch> createScratch(std::string& error) override {
    wchar_t folder[MAX_PATH + 1] = L"", path[MAX_PATH + 1] = L"";
    if (!GetTempPathW(MAX_PATH, folder) || !GetTempFileNameW(folder, L"hhc", 0, path)) return error = lastError(), nullptr;
    HANDLE handle = CreateFileW(path, GENERIC_READ | GENERIC_WRITE, 0, nullptr, TRUNCATE_EXISTING,
                                FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
      error = lastError();
      DeleteFileW(path);
      return nullptr;
    }
    return std::make_unique<ScratchOnDisk>(handle);
  }

  bool remove(const std::string& name) override {
    const std::wstring path = widePath(name);
    if (GetFileAttributesW(path.c_str()) == INVALID_FILE_ATTRIBUTES) return true;
    SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    return DeleteFileW(path.c_str()) != 0;
  }

  int64_t sizeOf(const std::string& name) override {
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExW(widePath(name).c_str(), GetFileExInfoStandard, &data)) return -1;
    return (static_cast<int64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
  }

 private:
  static bool isAbsolute(const std::string& name) {
    return (name.size() >= 2 && name[1] == ':') || (!name.empty() && (name[0] == '\\' || name[0] == '/'));
  }

  std::wstring widePath(const std::string& name) const {
    std::wstring path = widen(name, codePage_);
    for (wchar_t& c : path)
      if (c == L'/') c = L'\\';
    return isAbsolute(name) ? path : folder_ + L"\\" + path;
  }

  static Read read(const std::wstring& path, std::string& bytes, std::string& error) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY)) return Read::Missing;
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                              FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
    if (file == INVALID_HANDLE_VALUE) return error = lastError(), Read::Failed;
    LARGE_INTEGER size = {};
    bool ok = GetFileSizeEx(file, &size) && size.QuadPart < (1LL << 31);
    bytes.assign(ok ? static_cast<size_t>(size.QuadPart) : 0, '\0');
    size_t done = 0;
    DWORD got = 0;
    while (ok && done < bytes.size() && (ok = ReadFile(file, &bytes[done], static_cast<DWORD>(bytes.size() - done), &got, nullptr)) && got > 0)
      done += got;
    if (!ok || done != bytes.size()) {
      error = ok ? "the file changed while it was read" : lastError();
      ok = false;
    }
    CloseHandle(file);
    if (!ok) bytes.clear();
    return ok ? Read::Ok : Read::Failed;
  }

  std::wstring project_;
  std::wstring folder_;
  std::wstring name_;
  UINT codePage_ = CP_ACP;
};

class StdoutConsole : public chm::Console {
 public:
  void line(const std::string& text) override {
    std::fwrite(text.data(), 1, text.size(), stdout);
    std::fputs("\n", stdout);
    std::fflush(stdout);
  }
};

}  // namespace

int main() {
  const std::wstring parameter = parameterString();
  if (parameter.empty()) {
    std::printf("Usage: HHC <project file>\n");
    return 0;
  }
  wchar_t full[MAX_PATH * 4];
  wchar_t* namePart = nullptr;
  const DWORD length = GetFullPathNameW(parameter.c_str(), MAX_PATH * 4, full, &namePart);
  WindowsFolder folder(length > 0 && length < MAX_PATH * 4 ? std::wstring(full, length) : parameter);
  StdoutConsole console;
  chm::CompileSettings settings;
  const DWORD start = GetTickCount();
  settings.clock = [start] { return static_cast<double>(GetTickCount() - start) / 1000.0; };
  settings.compiledAt = static_cast<int64_t>(std::time(nullptr));
  const int code = chm::compileHelpProject(folder, console, settings);
  std::fflush(stdout);
  return code;
}
