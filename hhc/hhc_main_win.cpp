// HHC.exe: takes the place of Microsoft's help compiler by running Free Pascal's chmcmd on a project.
//
// The plug-in starts us the way it starts Microsoft's compiler: the project file's full path is the
// whole parameter string, unquoted even when it contains blanks, and the exit code is 1 on success
// and 0 on failure. chmcmd is lax about failures (it exits with 0 after "Error:" lines and leaves
// empty files after crashes), so the verdict here is our own, and a broken result is never left.
#include <windows.h>

#include <cstdio>
#include <cwchar>
#include <string>
#include <vector>

#include "hhc/hhc_project.h"

namespace {

// ntdll's door to the host system; with a non-zero wait it returns the child's exit status.
typedef LONG(__cdecl* UnixSpawn)(char* const argv[], int wait);
typedef char*(__cdecl* UnixFileName)(const WCHAR* dosPath);

// The project's own references stay as written; a scan of the pages by chmcmd would add files
// nobody listed and report "Error:" for mere undefined anchors, failing sound builds.
const char kScanOption[] = "--no-html-scan";

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

std::wstring widen(const std::string& text) {
  if (text.empty()) return std::wstring();
  const int size = MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, nullptr, 0);
  std::wstring out(size > 0 ? size - 1 : 0, L'\0');
  if (size > 1) MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, &out[0], size);
  return out;
}

void say(const std::wstring& text) { std::printf("HHC: %s\n", narrow(text, CP_ACP).c_str()); }

bool readWholeFile(const std::wstring& path, std::string& contents) {
  HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  contents.clear();
  char buffer[4096];
  DWORD got = 0;
  while (ReadFile(file, buffer, sizeof buffer, &got, nullptr) && got > 0) contents.append(buffer, got);
  CloseHandle(file);
  return true;
}

bool isAbsolute(const std::wstring& path) {
  return (path.size() >= 2 && path[1] == L':') || (!path.empty() && (path[0] == L'\\' || path[0] == L'/'));
}

bool exists(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

bool removeFile(const std::wstring& path) {
  if (!exists(path)) return true;
  SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
  return DeleteFileW(path.c_str()) != 0;
}

std::wstring ownFolder() {
  wchar_t path[MAX_PATH];
  const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring folder(path, length < MAX_PATH ? length : 0);
  return folder.substr(0, folder.find_last_of(L"\\/") + 1);
}

// Single quotes keep every byte of a path literal for the shell.
std::string shellQuoted(const std::string& text) {
  std::string out = "'";
  for (char c : text) out += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return out + "'";
}

std::string unixPath(UnixFileName toUnix, const std::wstring& path) {
  char* mapped = toUnix(path.c_str());
  if (!mapped) return std::string();
  std::string out(mapped);
  HeapFree(GetProcessHeap(), 0, mapped);
  return out;
}

struct Outcome {
  bool ran = false;
  long status = -1;
};

// A listed file that chmcmd, which does not resolve names as Windows does, would miss: the shell
// gives it the listed name as a link to the file Windows finds, for the length of the run.
struct Alias {
  std::string target;  // host path of the file found
  std::string link;    // the listed name, in the project's folder
};

// Under Wine the host's chmcmd does the work; the shell sets its folder and collects its output.
Outcome runUnixCompiler(UnixSpawn spawn, UnixFileName toUnix, const std::wstring& folder,
                        const std::wstring& project, const std::wstring& log,
                        const std::vector<Alias>& aliases) {
  Outcome outcome;
  const std::string unixFolder = unixPath(toUnix, folder);
  const std::string unixProject = unixPath(toUnix, project);
  const std::string unixLog = unixPath(toUnix, log);
  if (unixFolder.empty() || unixProject.empty() || unixLog.empty()) {
    say(L"cannot map the project's paths to the host system");
    return outcome;
  }
  const std::string chmcmd = "chmcmd " + std::string(kScanOption) + " " + shellQuoted(unixProject) + " >" +
                             shellQuoted(unixLog) + " 2>&1";
  std::string command = "cd " + shellQuoted(unixFolder) + " && ";
  if (aliases.empty()) {
    command += "exec " + chmcmd;
  } else {
    // Only the links made here are removed again, never a file that stood there already.
    std::string made, removed;
    for (size_t n = 0; n < aliases.size(); ++n) {
      const std::string flag = "a" + std::to_string(n);
      made += "ln -s -- " + shellQuoted(aliases[n].target) + " " + shellQuoted(aliases[n].link) +
              " 2>/dev/null && " + flag + "=1; ";
      removed += "[ -z \"$" + flag + "\" ] || rm -f -- " + shellQuoted(aliases[n].link) + "; ";
    }
    command += "{ " + made + chmcmd + "; s=$?; " + removed + "exit $s; }";
  }
  char shell[] = "/bin/sh";
  char dashC[] = "-c";
  char* argv[] = {shell, dashC, &command[0], nullptr};
  std::fflush(stdout);
  outcome.status = spawn(argv, 1);
  // A negative status is Wine's own failure to start the shell, not an exit code.
  outcome.ran = outcome.status >= 0;
  if (!outcome.ran) say(L"cannot start chmcmd through the host system's shell");
  else if (outcome.status == 127) say(L"chmcmd is not installed on the host system");
  return outcome;
}

// On Windows a chmcmd.exe beside us does the work, with its output sent to the log file.
Outcome runWindowsCompiler(const std::wstring& compiler, const std::wstring& folder,
                           const std::wstring& project, const std::wstring& log) {
  Outcome outcome;
  SECURITY_ATTRIBUTES inherit = {sizeof inherit, nullptr, TRUE};
  HANDLE output = CreateFileW(log.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit,
                              CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (output == INVALID_HANDLE_VALUE) {
    say(L"cannot create the log file " + log);
    return outcome;
  }
  STARTUPINFOW startup = {};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
  startup.hStdOutput = output;
  startup.hStdError = output;
  std::wstring commandLine = L"\"" + compiler + L"\" " + widen(kScanOption) + L" \"" + project + L"\"";
  PROCESS_INFORMATION process = {};
  if (CreateProcessW(compiler.c_str(), &commandLine[0], nullptr, nullptr, TRUE, 0, nullptr,
                     folder.c_str(), &startup, &process)) {
    WaitForSingleObject(process.hProcess, INFINITE);
    DWORD code = 1;
    if (GetExitCodeProcess(process.hProcess, &code)) outcome.status = static_cast<long>(code);
    outcome.ran = true;
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
  } else {
    say(L"cannot start " + compiler);
  }
  CloseHandle(output);
  return outcome;
}

// Shows chmcmd's messages and tells whether one of them reports a failed build.
bool relayMessages(const std::string& messages) {
  bool complained = false;
  size_t start = 0;
  while (start < messages.size()) {
    size_t end = messages.find('\n', start);
    if (end == std::string::npos) end = messages.size();
    std::string line = messages.substr(start, end - start);
    start = end + 1;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    std::printf("%s\n", line.c_str());
    if (hhc::reportsFailure(line)) complained = true;
  }
  return complained;
}

LONGLONG fileSize(const std::wstring& path) {
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data)) return -1;
  if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) return -1;
  return (static_cast<LONGLONG>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

bool isRegularFile(const std::wstring& path) {
  const DWORD attributes = GetFileAttributesW(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

struct ListedFile {
  std::string listed;  // as the project lists it
  std::wstring path;   // where Windows finds it: letter case ignored, trailing dots and blanks dropped
};

// The listed files that exist, as Windows resolves their names; each one that does not is named
// in a warning and put in `missing`, and the build goes on without it, as Microsoft's compiler does.
std::vector<ListedFile> findListedFiles(const std::string& projectText, const std::wstring& folder,
                                        std::vector<std::string>& missing) {
  std::vector<ListedFile> found;
  for (const std::string& entry : hhc::listedFiles(projectText)) {
    const std::wstring name = widen(entry);
    const std::wstring path = isAbsolute(name) ? name : folder + L"\\" + name;
    if (isRegularFile(path)) {
      found.push_back({entry, path});
    } else {
      missing.push_back(entry);
      say(L"warning: cannot find " + name + L", compiling without it");
    }
  }
  return found;
}

// The files of the project's own folder whose host name is not the listed one.
std::vector<Alias> aliasesFor(UnixFileName toUnix, const std::wstring& folder,
                              const std::vector<ListedFile>& files) {
  std::vector<Alias> aliases;
  const std::string unixFolder = unixPath(toUnix, folder);
  if (unixFolder.empty()) return aliases;
  for (const ListedFile& file : files) {
    if (file.listed.find_first_of("\\/:") != std::string::npos) continue;
    const std::string link = narrow(widen(file.listed), CP_UTF8);
    const std::string target = unixPath(toUnix, file.path);
    if (!target.empty() && target != unixFolder + "/" + link) aliases.push_back({target, link});
  }
  return aliases;
}

// A copy of the project as chmcmd gets it (without its missing files or its index), in its folder
// so that every relative name keeps its meaning, under a fresh name ending in ".hhp", which
// chmcmd needs to read it as one; empty when it cannot be written.
std::wstring writeReducedProject(const std::wstring& folder, const std::string& text) {
  for (unsigned number = 1; number < 10000; ++number) {
    const std::wstring path = folder + L"\\hhc" + std::to_wstring(number) + L".hhp";
    HANDLE file =
        CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
      if (GetLastError() == ERROR_FILE_EXISTS) continue;
      return std::wstring();
    }
    DWORD written = 0;
    bool ok = WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr) &&
              written == text.size();
    if (!CloseHandle(file)) ok = false;
    if (ok) return path;
    DeleteFileW(path.c_str());
    return std::wstring();
  }
  return std::wstring();
}

// One chmcmd run over a project text: the project file itself when the text is its own, else a
// copy beside it that is removed afterwards. Says why when it cannot run at all.
struct Compilation {
  const std::wstring& project;
  const std::string& projectText;
  const std::wstring& folder;
  const std::vector<ListedFile>& files;

  bool Run(const std::string& text, const std::wstring& output, hhc::ChmcmdRun& run,
           std::string& messages) const {
    std::wstring compiledProject = project;
    if (text != projectText) {
      compiledProject = writeReducedProject(folder, text);
      if (compiledProject.empty()) {
        say(L"cannot write a copy of the project into " + folder);
        return false;
      }
    }
    wchar_t tempFolder[MAX_PATH];
    wchar_t log[MAX_PATH];
    if (!GetTempPathW(MAX_PATH, tempFolder) || !GetTempFileNameW(tempFolder, L"hhc", 0, log)) {
      say(L"cannot create a log file in the temporary folder");
      if (compiledProject != project) DeleteFileW(compiledProject.c_str());
      return false;
    }
    HMODULE ntdll = GetModuleHandleA("ntdll.dll");
    HMODULE kernel32 = GetModuleHandleA("kernel32.dll");
    auto spawn = reinterpret_cast<UnixSpawn>(
        reinterpret_cast<void*>(GetProcAddress(ntdll, "__wine_unix_spawnvp")));
    auto toUnix = reinterpret_cast<UnixFileName>(
        reinterpret_cast<void*>(GetProcAddress(kernel32, "wine_get_unix_file_name")));
    // A Windows chmcmd.exe beside us is used even under Wine, where the host's chmcmd is the default.
    const std::wstring windowsCompiler = ownFolder() + L"chmcmd.exe";
    const Outcome outcome =
        spawn && toUnix && !exists(windowsCompiler)
            ? runUnixCompiler(spawn, toUnix, folder, compiledProject, log, aliasesFor(toUnix, folder, files))
            : runWindowsCompiler(windowsCompiler, folder, compiledProject, log);
    if (compiledProject != project) DeleteFileW(compiledProject.c_str());

    messages.clear();
    readWholeFile(log, messages);
    DeleteFileW(log);
    run = hhc::ChmcmdRun();
    run.ran = outcome.ran;
    run.status = outcome.status;
    run.complained = relayMessages(messages);
    run.compiledSize = fileSize(output);
    return true;
  }
};

int compile() {
  const std::wstring parameter = parameterString();
  if (parameter.empty()) {
    std::printf("Usage: HHC <project file>\n");
    return 0;
  }
  wchar_t full[MAX_PATH * 4];
  wchar_t* namePart = nullptr;
  const DWORD length = GetFullPathNameW(parameter.c_str(), MAX_PATH * 4, full, &namePart);
  const std::wstring project(full, length > 0 && length < MAX_PATH * 4 ? length : 0);
  std::string projectText;
  if (project.empty() || fileSize(project) < 0 || !readWholeFile(project, projectText)) {
    say(L"Can't find project file " + parameter);
    return 0;
  }
  const std::wstring folder = project.substr(0, project.find_last_of(L"\\/"));
  const std::wstring name = widen(hhc::compiledFileName(projectText));
  if (name.empty()) {
    say(L"the project names no compiled file (\"Compiled file=\")");
    return 0;
  }
  const std::wstring output = isAbsolute(name) ? name : folder + L"\\" + name;
  // A file left from an earlier build must not pass for the result of this one.
  if (!removeFile(output)) {
    say(L"cannot remove the earlier compiled file " + output);
    return 0;
  }

  std::vector<std::string> missing;
  const std::vector<ListedFile> files = findListedFiles(projectText, folder, missing);
  // chmcmd gives up on a listed file it cannot open, so it gets the project without them.
  const std::string compiledText = missing.empty() ? projectText : hhc::projectWithout(projectText, missing);
  const Compilation compilation{project, projectText, folder, files};
  hhc::ChmcmdRun run;
  std::string messages;
  if (!compilation.Run(compiledText, output, run, messages)) return 0;
  if (!hhc::compiled(run) && hhc::crashed(run, messages) && hhc::fullTextSearch(compiledText)) {
    say(L"warning: chmcmd crashed while making the full-text search index; compiling again without "
        L"it: this help file has no search");
    removeFile(output);
    if (!compilation.Run(hhc::projectWithoutSearch(compiledText), output, run, messages)) return 0;
  }
  if (hhc::compiled(run)) {
    say(L"compiled file " + output);
    return 1;
  }
  const std::string reason = hhc::failureReason(run);
  if (!reason.empty()) say(widen(reason));
  removeFile(output);
  say(L"compilation failed");
  return 0;
}

}  // namespace

int main() {
  const int result = compile();
  std::fflush(stdout);
  return result;
}
