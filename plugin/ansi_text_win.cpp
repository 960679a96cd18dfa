// ANSI and UTF-16 conversions through the system's code page functions.
#include "plugin/ansi_text_win.h"

namespace t2c {

std::wstring ansiToWide(const std::string& text) {
  if (text.empty()) return std::wstring();
  int length = MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  std::wstring wide(static_cast<size_t>(length), L'\0');
  MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), &wide[0], length);
  return wide;
}

std::string wideToAnsi(const wchar_t* text, int length) {
  if (!text || length <= 0) return std::string();
  int size = WideCharToMultiByte(CP_ACP, 0, text, length, nullptr, 0, nullptr, nullptr);
  std::string ansi(static_cast<size_t>(size), '\0');
  WideCharToMultiByte(CP_ACP, 0, text, length, &ansi[0], size, nullptr, nullptr);
  return ansi;
}

BSTR ansiToBstr(const std::string& text) {
  std::wstring wide = ansiToWide(text);
  return SysAllocStringLen(wide.data(), static_cast<UINT>(wide.size()));
}

std::string bstrToAnsi(BSTR text) {
  return text ? wideToAnsi(text, static_cast<int>(SysStringLen(text))) : std::string();
}

bool isAnsiLeadByte(unsigned char byte) { return IsDBCSLeadByte(byte) != FALSE; }

}  // namespace t2c
