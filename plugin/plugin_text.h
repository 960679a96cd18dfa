// Texts the plug-in derives for the host: its title line and the default help-file title.
#pragma once

#include <cstdint>
#include <string>

namespace t2c {

// Tells whether a byte starts a two-byte character in the system's code page.
using LeadBytePredicate = bool (*)(unsigned char byte);
bool noLeadBytes(unsigned char byte);

constexpr char kPluginName[] = "Tessaly2CHM";

// "Tessaly2CHM 2.21 (build 83)": the release digit follows the minor number directly.
std::string pluginTitle(int32_t major, int32_t minor, int32_t release, int32_t build);

// The header without spaces, carriage returns, line feeds and tabs at either end.
std::string trimHeader(const std::string& header);

// The text with every control character, line ends among them, turned into a blank: a title
// proposed from a header that spans lines.
std::string oneLineText(const std::string& text);

// The file name of a path without its folder and without its extension (from the last dot on).
std::string documentTitleFromPath(const std::string& path, LeadBytePredicate isLeadByte = noLeadBytes);

}  // namespace t2c
