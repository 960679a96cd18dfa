// Runs EXRTF2WEB of the converter library on temporary files and reads its HTML back.
#include "convert/converter_call_win.h"

#include <vector>

#include "project/build_trace_win.h"
#include "project/file_output_win.h"
#include "project/text_mode.h"
#include "project/work_folder_win.h"

namespace t2c {
namespace {

// The library's contract: RTF path, HTML path, 16, colour text, 0, 96; non-zero when converted.
using ConverterEntry = int(WINAPI*)(const char* rtfPath, const char* htmlPath, int fixed16,
                                    const char* colour, int fixed0, int fixed96);

// The last-write time of a claimed HTML file until the library writes it: an untouched file is
// told apart from an empty page that way.
FILETIME untouchedTime() {
  SYSTEMTIME day = {};
  day.wYear = 1990;
  day.wMonth = 1;
  day.wDay = 1;
  FILETIME time = {};
  SystemTimeToFileTime(&day, &time);
  return time;
}

bool markUntouched(const std::string& path) {
  HANDLE file = CreateFileA(path.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  const FILETIME time = untouchedTime();
  const bool marked = SetFileTime(file, nullptr, nullptr, &time) != 0;
  CloseHandle(file);
  return marked;
}

// A file the library removed counts as not written.
bool writtenSinceClaim(const std::string& path) {
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) return false;
  const FILETIME untouched = untouchedTime();
  return CompareFileTime(&data.ftLastWriteTime, &untouched) != 0;
}

}  // namespace

HMODULE loadConverterLibrary(const std::string& libraryPlace, const std::string& libraryName) {
  for (const std::string& path : converterLibraryCandidates(libraryPlace, libraryName)) {
    if (HMODULE library = LoadLibraryA(path.c_str())) return library;
  }
  return nullptr;
}

bool converterPresent(const std::string& libraryPlace, const std::string& libraryName) {
  HMODULE library = loadConverterLibrary(libraryPlace, libraryName);
  if (!library) return false;
  FreeLibrary(library);
  return true;
}

bool runConverter(const std::string& rtfText, std::string& result, const std::string& libraryPlace,
                  const std::string& colourText) {
  HMODULE library = loadConverterLibrary(libraryPlace, kConverterLibraryName);
  if (!library) {
    result = kCannotLoadConverter;
    return false;
  }
  // Both files are created exclusively under one number: conversions in other processes cannot
  // read or overwrite ours, and a stale file of either name is never read or deleted.
  const std::vector<std::string> paths = createTempFiles({"rtf", "htm"});
  const std::string rtfPath = paths.empty() ? std::string() : paths[0];
  const std::string htmlPath = paths.empty() ? std::string() : paths[1];
  // Written as text mode would, so the library sees the line ends an RTF file has on Windows.
  if (paths.empty() || !writeWholeFile(rtfPath, textModeBytes(rtfText)) || !markUntouched(htmlPath)) {
    for (const std::string& path : paths) DeleteFileA(path.c_str());
    result = kCannotWriteTempFile;
    FreeLibrary(library);
    return false;
  }

  const char* failure = kCannotFindEntryPoint;
  const auto entry =
      reinterpret_cast<ConverterEntry>(reinterpret_cast<void*>(GetProcAddress(library, kConverterEntryPoint)));
  if (entry) {
    const TracedPhase converting("convert");
    const bool returnedNonZero = entry(rtfPath.c_str(), htmlPath.c_str(), 16, colourText.c_str(), 0, 96) != 0;
    failure = converterCallFailure(returnedNonZero, writtenSinceClaim(htmlPath));
  }
  DeleteFileA(rtfPath.c_str());
  FreeLibrary(library);

  std::string bytes;
  if (!failure && !readWholeFile(htmlPath, bytes)) failure = kCannotReadBufferFile;
  DeleteFileA(htmlPath.c_str());
  if (failure) {
    result = failure;
    return false;
  }
  result = linesEndingInCrLf(bytes);
  return true;
}

}  // namespace t2c
