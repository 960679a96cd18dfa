// Conversions between the system's ANSI code page and the UTF-16 strings the host and platform use.
#pragma once

#include <windows.h>
#include <oleauto.h>

#include <string>

namespace t2c {

std::wstring ansiToWide(const std::string& text);
std::string wideToAnsi(const wchar_t* text, int length);
// A new BSTR holding the text; the caller frees it.
BSTR ansiToBstr(const std::string& text);
// The BSTR's text in the ANSI code page; empty for a null BSTR.
std::string bstrToAnsi(BSTR text);
// Whether the byte starts a two-byte character in the ANSI code page.
bool isAnsiLeadByte(unsigned char byte);

}  // namespace t2c
