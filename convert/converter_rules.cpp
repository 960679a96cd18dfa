// Library places and line reading of the converter call, kept apart from the platform calls.
#include "convert/converter_rules.h"

#include <cstddef>

namespace t2c {

std::vector<std::string> converterLibraryCandidates(const std::string& libraryPlace,
                                                    const std::string& libraryName) {
  if (libraryPlace.empty()) return {libraryName};
  std::string folder = libraryPlace;
  if (folder.back() != '\\') folder += '\\';
  return {folder + libraryName, libraryPlace, libraryName};
}

const char* converterCallFailure(bool returnedNonZero, bool wroteOutput) {
  if (!wroteOutput) return kCannotReadBufferFile;
  return returnedNonZero ? nullptr : kBadConverterCall;
}

std::string linesEndingInCrLf(const std::string& fileBytes) {
  std::string text;
  text.reserve(fileBytes.size() + fileBytes.size() / 16 + 2);
  std::size_t start = 0;
  while (start < fileBytes.size()) {
    std::size_t end = fileBytes.find('\n', start);
    const bool lastWithoutEnd = end == std::string::npos;
    if (lastWithoutEnd) end = fileBytes.size();
    std::size_t lineEnd = end;
    if (!lastWithoutEnd && lineEnd > start && fileBytes[lineEnd - 1] == '\r') --lineEnd;
    text.append(fileBytes, start, lineEnd - start);
    text += "\r\n";
    start = end + 1;
  }
  return text;
}

}  // namespace t2c
