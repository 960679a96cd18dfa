// Runs EXRTF2WEB of the converter library on temporary files and reads its HTML back.
#include "convert/converter_call_win.h"

#include "project/file_output_win.h"
#include "project/text_mode.h"
#include "project/work_folder_win.h"

namespace t2c {
namespace {

// The library's contract: RTF path, HTML path, 16, colour text, 0, 96; non-zero when converted.
using ConverterEntry = int(WINAPI*)(const char* rtfPath, const char* htmlPath, int fixed16,
                                    const char* colour, int fixed0, int fixed96);

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
  // The RTF file is created exclusively, and its number, taken by nobody else, names the HTML
  // file too: conversions in other processes cannot read or overwrite ours.
  const std::string rtfPath = createTempFile("rtf");
  // Written as text mode would, so the library sees the line ends an RTF file has on Windows.
  if (rtfPath.empty() || !writeWholeFile(rtfPath, textModeBytes(rtfText))) {
    DeleteFileA(rtfPath.c_str());
    result = kCannotWriteTempFile;
    FreeLibrary(library);
    return false;
  }

  bool converted = false;
  const auto entry =
      reinterpret_cast<ConverterEntry>(reinterpret_cast<void*>(GetProcAddress(library, kConverterEntryPoint)));
  if (!entry) {
    result = kCannotFindEntryPoint;
  } else {
    result = rtfPath.substr(0, rtfPath.size() - 3) + "htm";
    if (entry(rtfPath.c_str(), result.c_str(), 16, colourText.c_str(), 0, 96) != 0) {
      converted = true;
    } else if (isExistingFile(result)) {
      DeleteFileA(result.c_str());
      result = kBadConverterCall;
    } else {
      // Nothing was written: the reading below reports it.
      converted = true;
    }
  }
  DeleteFileA(rtfPath.c_str());
  FreeLibrary(library);
  if (!converted) return false;

  const std::string htmlPath = result;
  std::string bytes;
  if (!readWholeFile(htmlPath, bytes)) {
    DeleteFileA(htmlPath.c_str());
    result = kCannotReadBufferFile;
    return false;
  }
  result = linesEndingInCrLf(bytes);
  DeleteFileA(htmlPath.c_str());
  return true;
}

}  // namespace t2c
