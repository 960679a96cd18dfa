// A stand-in converter library for the tests: honours the EXRTF2WEB contract, and its colour
// argument picks the misbehaviour to show. STUB_LABEL tells the copies apart.
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "base/whole_file.h"

namespace {

bool writeAll(const char* path, const std::string& bytes) {
  FILE* file = std::fopen(path, "wb");
  if (!file) return false;
  std::fwrite(bytes.data(), 1, bytes.size(), file);
  std::fclose(file);
  return true;
}

// Line ends made visible, so that the test sees how the RTF reached the disk.
std::string visible(const std::string& bytes) {
  std::string out;
  for (char c : bytes) {
    if (c == '\r') out += "<CR>";
    else if (c == '\n') out += "<LF>";
    else out += c;
  }
  return out;
}

}  // namespace

extern "C" int WINAPI EXRTF2WEB(const char* rtfPath, const char* htmlPath, int fixed16,
                                const char* colour, int fixed0, int fixed96) {
  const std::string mode = colour ? colour : "";
  if (mode == "ZERONO") return 0;
  if (mode == "ONENOW") return 1;
  if (mode == "ZEROWR") {
    writeAll(htmlPath, "<html>half done\r\n");
    return 0;
  }
  if (mode == "EMPTY0") return writeAll(htmlPath, "") ? 1 : 0;
  if (mode == "GARBAG") {
    std::string garbage = "<html><body><table><tr><td><a href=\"";
    for (int round = 0; round < 64; ++round)
      for (int byte = 0; byte < 256; ++byte) garbage += static_cast<char>(byte);
    return writeAll(htmlPath, garbage) ? 1 : 0;
  }
  if (mode == "PATHS0") return writeAll(htmlPath, std::string("rtf=") + rtfPath + "\nhtml=" + htmlPath) ? 1 : 0;

  std::string rtf;
  if (!base::readWholeFile(rtfPath, rtf)) return 0;
  const std::string html = "<html>\n<!-- Created by " STUB_LABEL " -->\r\nargs=" +
                           std::to_string(fixed16) + "|" + mode + "|" + std::to_string(fixed0) + "|" +
                           std::to_string(fixed96) + "\r\nrtf=" + visible(rtf) + "\n</html>";
  return writeAll(htmlPath, html) ? 1 : 0;
}
