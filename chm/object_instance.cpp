// Builds the search objects' stored state, whose core is a character table of the code page.
#include "chm/object_instance.h"

#include "chm/help_project.h"
#include "chm/le_bytes.h"

namespace chm {
namespace {

constexpr uint32_t kFormat = 0x04000000;
constexpr uint32_t kCharacterTableSize = 256 * 10 + 5 * 3;  // the table and the ligatures

const unsigned char kSearchGuidTail[8] = {0x9A, 0x56, 0x00, 0xC0, 0x4F, 0xB6, 0x8B, 0xF7};
const unsigned char kStemmerGuidTail[8] = {0x9A, 0x56, 0x00, 0xC0, 0x4F, 0xB6, 0x8B, 0x66};

// Character classes of the word breaker.
enum CharacterClass : uint16_t { kSeparator = 0, kLower = 1, kLetter = 2, kDigit = 3, kApostrophe = 6, kControl = 7 };

struct CharacterInfo {
  CharacterClass kind = kSeparator;
  unsigned char base = 0;   // the letter without accent, lower case
  unsigned char upper = 0;  // the character in upper case
};

// Windows-1252 letters above 0x7F, each with its base letter ("" for those that are their own).
struct HighLetter {
  unsigned char code, upper;
  char base;
};
const HighLetter kHighLetters1252[] = {
    {0x83, 0x83, 'f'}, {0x8A, 0x8A, 's'}, {0x8C, 0x8C, 'o'}, {0x8E, 0x8E, 'z'}, {0x9A, 0x8A, 's'},
    {0x9C, 0x8C, 'o'}, {0x9E, 0x8E, 'z'}, {0x9F, 0x9F, 'y'}, {0xAA, 0xAA, 'a'}, {0xB5, 0xB5, 'm'},
    {0xBA, 0xBA, 'o'}, {0xDF, 0xDF, 's'}, {0xFF, 0x9F, 'y'}};
// Base letters of 0xC0..0xDE and 0xE0..0xFE (the same for both cases); 0 for × and ÷.
const char kAccentedBases[] = "aaaaaaaceeeeiiiidnooooo\0ouuuuyt";

CharacterInfo describe(unsigned char c, bool is1252) {
  CharacterInfo info;
  info.base = c;
  info.upper = c;
  if (c >= 'a' && c <= 'z') {
    info = {kLower, c, static_cast<unsigned char>(c - 32)};
  } else if (c >= 'A' && c <= 'Z') {
    info = {kLetter, static_cast<unsigned char>(c + 32), c};
  } else if (c >= '0' && c <= '9') {
    info.kind = kDigit;
  } else if (c == '\'') {
    info.kind = kApostrophe;
  } else if (c == 0x01) {
    info.kind = kControl;
  } else if (c >= 0x80 && !is1252) {
    info.kind = kLetter;
  } else if (c >= 0xC0 && kAccentedBases[(c & 0x1F)] != '\0') {
    bool lowerHalf = c >= 0xE0;
    info = {kLetter, static_cast<unsigned char>(kAccentedBases[c & 0x1F]),
            static_cast<unsigned char>(lowerHalf ? c - 32 : c)};
  } else {
    for (const HighLetter& letter : kHighLetters1252)
      if (letter.code == c) info = {kLetter, static_cast<unsigned char>(letter.base), letter.upper};
  }
  return info;
}

// Sort weights equal for all forms of one letter and ordered as the alphabet; other characters
// sort by their code, below the letters.
uint16_t sortWeight(const CharacterInfo& info, unsigned char c) {
  if (info.base >= 'a' && info.base <= 'z' && (info.kind == kLower || info.kind == kLetter))
    return static_cast<uint16_t>(0x04CE + 0x20 * (info.base - 'a'));
  return static_cast<uint16_t>(0x0100 + c);
}

std::string characterTable(uint32_t codePage) {
  const bool is1252 = codePage == 1252;
  std::string out;
  for (int code = 0; code < 256; ++code) {
    unsigned char c = static_cast<unsigned char>(code);
    CharacterInfo info = describe(c, is1252);
    putU16(out, info.kind);
    putU16(out, sortWeight(info, c));
    out.push_back(static_cast<char>(info.base));
    out.push_back(static_cast<char>(c));
    out.push_back(static_cast<char>(info.upper));
    unsigned char baseUpper = (info.base >= 'a' && info.base <= 'z') ? info.base - 32 : info.upper;
    out.push_back(static_cast<char>(baseUpper));
    putU16(out, 0);
  }
  const unsigned char ligatures[5][3] = {
      {0xC6, 'a', 'e'}, {0xE6, 'a', 'e'}, {0xDF, 's', 's'}, {0x8C, 'o', 'e'}, {0x9C, 'o', 'e'}};
  for (const auto& ligature : ligatures) out.append(reinterpret_cast<const char*>(ligature), 3);
  return out;
}

}  // namespace

bool isDoubleByteCodePage(uint32_t codePage) {
  return codePage == 932 || codePage == 936 || codePage == 949 || codePage == 950;
}

std::string buildObjectInstanceFile(uint32_t lcid) {
  // Languages written only in Unicode have no ANSI code page; their table is the Western one.
  const uint32_t codePage = ansiCodePage(lcid) ? ansiCodePage(lcid) : 1252;
  std::string breaker;
  putGuid(breaker, 0x4662DAAF, 0xD393, 0x11D0, kSearchGuidTail);
  putU32(breaker, kFormat);
  putU32(breaker, 3);
  putU32(breaker, codePage);
  putU32(breaker, lcid);
  putU32(breaker, 0);
  putU32(breaker, 0);
  putU32(breaker, 0x00145555);
  putU32(breaker, kCharacterTableSize);
  putU16(breaker, 0x0100);
  putU16(breaker, 5);  // ligatures
  putU32(breaker, 3);
  breaker.resize(80, '\0');
  breaker += characterTable(codePage);

  std::string stemmer;
  putGuid(stemmer, 0x4662DAB0, 0xD393, 0x11D0, kStemmerGuidTail);
  putU32(stemmer, 666);
  putU32(stemmer, codePage);
  putU32(stemmer, lcid);
  putU32(stemmer, 10031);
  putU32(stemmer, 0);

  std::string out;
  putU32(out, kFormat);
  putU32(out, 2);
  const uint32_t first = 8 + 2 * 8;
  putU32(out, first);
  putU32(out, static_cast<uint32_t>(breaker.size()));
  putU32(out, first + static_cast<uint32_t>(breaker.size()));
  putU32(out, static_cast<uint32_t>(stemmer.size()));
  return out + breaker + stemmer;
}

}  // namespace chm
