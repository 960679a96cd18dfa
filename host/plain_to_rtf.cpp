// Rendering of plain text as a small RTF document.
#include "host/plain_to_rtf.h"

#include <cstdio>

namespace tly {

std::string plainTextToRtf(const std::string& text, unsigned codePage, const std::string& fontName) {
  std::string rtf = "{\\rtf1\\ansi\\ansicpg" + std::to_string(codePage) +
                    "\\deff0{\\fonttbl{\\f0\\fnil\\fcharset0 " + fontName + ";}}\r\n" +
                    "\\viewkind4\\uc1\\pard\\f0\\fs20 ";
  for (size_t i = 0; i < text.size(); ++i) {
    unsigned char c = static_cast<unsigned char>(text[i]);
    if (c == '\r' || c == '\n') {
      // CR LF, lone CR and lone LF each end one line.
      if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
      rtf += "\\par\r\n";
    } else if (c == '\\' || c == '{' || c == '}') {
      rtf += '\\';
      rtf += static_cast<char>(c);
    } else if (c > 127) {
      char hex[8];
      std::snprintf(hex, sizeof hex, "\\'%02x", c);
      rtf += hex;
    } else if (c == '\t') {
      rtf += "\\tab ";
    } else {
      rtf += static_cast<char>(c);
    }
  }
  rtf += "\\par\r\n}\r\n";
  return rtf;
}

}  // namespace tly
