// The bytes that a text-mode write puts on disk: every line feed becomes carriage return, line feed.
#pragma once

#include <string>

namespace t2c {

// Turns each "\n" of `text` into "\r\n"; every other byte, a lone "\r" included, stays as it is.
std::string textModeBytes(const std::string& text);

}  // namespace t2c
