// Makes the finished article page of an RTF file for a code page, with the converter engine and
// the page passes: finished_page CODEPAGE IN.rtf OUT.html
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

#include "base/whole_file.h"
#include "convert/converter_rules.h"
#include "convert/html_passes.h"
#include "irun.h"

int main(int argc, char** argv) {
  if (argc != 4) {
    std::fprintf(stderr, "usage: finished_page CODEPAGE IN.rtf OUT.html\n");
    return 2;
  }
  const int codePage = std::atoi(argv[1]);
  std::string text, error;
  if (!base::readWholeFile(argv[2], text, &error)) {
    std::fprintf(stderr, "finished_page: %s\n", error.c_str());
    return 1;
  }
  // The library's output as the converter call reads it back: line by line, ending in "\r\n".
  const t2c::RtfConverter converter = [codePage](const std::string& rtf, std::string& result,
                                                 const std::string&, const std::string& colour) {
    irun::ConvertOptions options;
    options.outputCodePage = codePage;
    options.background = colour;
    result = t2c::linesEndingInCrLf(irun::rtfToHtml(rtf, options));
    return true;
  };
  if (!t2c::convertRtfToPage(text, "", 0xFFFFFFu, static_cast<uint32_t>(codePage), converter,
                                    nullptr, nullptr)) {
    std::fprintf(stderr, "finished_page: cannot convert %s\n", argv[2]);
    return 1;
  }
  std::ofstream out(argv[3], std::ios::binary);
  out << text;
  return out.good() ? 0 : 1;
}
