// Plain text rendered as RTF, the way a rich-text control saves it.
#pragma once

#include <string>

namespace tly {

// Escapes "\", "{" and "}", writes bytes above 127 as \'hh and line breaks as \par.
std::string plainTextToRtf(const std::string& text, unsigned codePage, const std::string& fontName);

}  // namespace tly
