// Passes on the converter's traces and the page head: colour text, generator texts, escapes, charset.
#include <cstddef>
#include <cstdio>
#include <string>
#include <string_view>

#include "convert/html_passes.h"
#include "project/export_job.h"

namespace t2c {
namespace {

constexpr std::size_t npos = std::string::npos;

constexpr std::string_view kGeneratorVersion = "Msftedit 5.";
constexpr std::string_view kCreatorStart = "<!-- Created by";
constexpr std::string_view kCommentEnd = "-->";
const std::string kPluginComment =
    std::string("<!-- Created by:Tessaly2CHM Plugin by Brenmoor ") + kHostWebAddress + "-->";

constexpr std::string_view kDeclarationStart =
    "<meta http-equiv='Content-Type' content='text/html ";
constexpr std::string_view kHeadTag = "<HEAD>";

// Replaces every occurrence left to right; inserted text is never searched again.
void replaceAll(std::string& page, std::string_view from, std::string_view to) {
  std::size_t at = page.find(from);
  if (at == npos) return;
  std::string out;
  out.reserve(page.size());
  std::size_t copied = 0;
  for (; at != npos; at = page.find(from, at + from.size())) {
    out.append(page, copied, at - copied);
    out.append(to);
    copied = at + from.size();
  }
  out.append(page, copied, npos);
  page.swap(out);
}

char upper(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

// Finds an upper-case needle as if in an upper-cased copy of the page, without making the copy.
std::size_t findIgnoringCase(std::string_view page, std::string_view upperNeedle) {
  if (upperNeedle.size() > page.size()) return npos;
  const std::size_t lastStart = page.size() - upperNeedle.size();
  // The needle starts with a character that has no case, which a plain search finds fast.
  for (std::size_t at = page.find(upperNeedle[0]); at != npos && at <= lastStart;
       at = page.find(upperNeedle[0], at + 1)) {
    std::size_t n = 1;
    while (n < upperNeedle.size() && upper(page[at + n]) == upperNeedle[n]) ++n;
    if (n == upperNeedle.size()) return at;
  }
  return npos;
}

// The names by which the help viewer's HTML engine knows the Windows ANSI code pages.
const char* charsetName(uint32_t codePage) {
  switch (codePage) {
    case 874: return "windows-874";
    case 932: return "shift_jis";
    case 936: return "gb2312";
    case 949: return "ks_c_5601-1987";
    case 950: return "big5";
    case 1200: return "utf-8";
    case 1250: return "windows-1250";
    case 1251: return "windows-1251";
    case 1252: return "windows-1252";
    case 1253: return "windows-1253";
    case 1254: return "windows-1254";
    case 1255: return "windows-1255";
    case 1256: return "windows-1256";
    case 1257: return "windows-1257";
    case 1258: return "windows-1258";
    case 65001: return "utf-8";
    default: return nullptr;
  }
}

}  // namespace

std::string formatColour(uint32_t colourValue) {
  char digits[8];
  std::snprintf(digits, sizeof digits, "%.2X%.2X%.2X", colourValue & 0xFFu,
                (colourValue >> 8) & 0xFFu, (colourValue >> 16) & 0xFFu);
  return digits;
}

void removeGeneratorVersion(std::string& page) {
  const std::size_t g = page.find(kGeneratorVersion);
  if (g == npos) return;
  const std::size_t h = page.find(';', g + kGeneratorVersion.size());
  if (h == npos) return;
  page.erase(g, h - g + 1);
}

// A comment at the very start of the page is not the converter's and stays.
void replaceCreatorComment(std::string& page) {
  const std::size_t h = page.find(kCreatorStart);
  if (h == npos || h == 0) return;
  const std::size_t t = page.find(kCommentEnd, h + kCreatorStart.size());
  if (t == npos) return;
  page.replace(h, t + kCommentEnd.size() - h, kPluginComment);
}

// The converter escapes both angle brackets of text typed in a note; bringing back only "<"
// and ">" before ";" lets notes carry markup while a lone "&gt;" stays as typed.
void unescapeMarkup(std::string& page) {
  replaceAll(page, "&lt;", "<");
  replaceAll(page, "&gt;;", ">");
}

// The content value always gets its closing quote: an open one would run on through the page to
// the next apostrophe and hide the head and the start of the text from the browser.
std::string charsetDeclaration(uint32_t codePage) {
  std::string declaration(kDeclarationStart);
  if (const char* name = charsetName(codePage)) {
    declaration += std::string("charset=") + name + "'>";
  } else {
    declaration.back() = '\'';
    declaration += '>';
  }
  return declaration;
}

void insertCharsetDeclaration(std::string& page, uint32_t codePage) {
  const std::string declaration = charsetDeclaration(codePage);
  const std::size_t l = findIgnoringCase(page, kHeadTag);
  if (l == npos) {
    page.insert(0, declaration + '\n');
  } else {
    page.insert(l + kHeadTag.size(), '\n' + declaration + '\n');
  }
}

}  // namespace t2c
