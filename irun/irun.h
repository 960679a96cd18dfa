// The converter's public interface: RTF bytes in, a complete HTML 4.01 document out.
#pragma once

#include <string>
#include <string_view>

namespace irun {

struct ConvertOptions {
    int outputCodePage = 1252;  // 65001 for UTF-8
    std::string background;     // six hexadecimal digits RRGGBB; anything else means none
    int dpi = 96;               // for turning table widths in twips into pixels
};

// Never throws on bad input: any bytes give a document holding the text read before a fault.
std::string rtfToHtml(std::string_view rtf, const ConvertOptions& options);

enum class ConvertStatus { Ok, CannotRead, CannotWrite, Failed };

// Reads inPath, writes outPath through a temporary file beside it, so that a failure never
// leaves a half-written document behind. On failure `error`, when given, says why in one line.
ConvertStatus convertFile(const std::string& inPath, const std::string& outPath, const ConvertOptions& options,
                          std::string* error = nullptr);

}  // namespace irun
