// Word characters and lower-case forms of the scripts the ANSI and East Asian code pages hold,
// kept as one table over the Basic Multilingual Plane, made on first use.
#include "chm/word_characters.h"

#include <memory>

namespace chm {
namespace {

struct Range {
  char32_t first, last;
  CharKind kind;
};

// Letters, digits (superscripts and vulgar fractions too: "m²" is a word) and marks by block;
// what no range names is a separator.
constexpr Range kRanges[] = {
    {'0', '9', CharKind::Letter}, {'A', 'Z', CharKind::Letter}, {'a', 'z', CharKind::Letter},
    {0xAA, 0xAA, CharKind::Letter}, {0xAD, 0xAD, CharKind::Ignored}, {0xB2, 0xB3, CharKind::Letter},
    {0xB5, 0xB5, CharKind::Letter}, {0xB9, 0xBA, CharKind::Letter}, {0xBC, 0xBE, CharKind::Letter}, {0xC0, 0xD6, CharKind::Letter}, {0xD8, 0xF6, CharKind::Letter},
    {0xF8, 0x2C1, CharKind::Letter}, {0x2C6, 0x2D1, CharKind::Letter}, {0x2E0, 0x2E4, CharKind::Letter},
    {0x300, 0x36F, CharKind::Mark},
    // Greek and Coptic
    {0x370, 0x374, CharKind::Letter}, {0x376, 0x377, CharKind::Letter}, {0x37A, 0x37D, CharKind::Letter},
    {0x37F, 0x37F, CharKind::Letter}, {0x386, 0x386, CharKind::Letter}, {0x388, 0x38A, CharKind::Letter},
    {0x38C, 0x38C, CharKind::Letter}, {0x38E, 0x3A1, CharKind::Letter}, {0x3A3, 0x3F5, CharKind::Letter},
    {0x3F7, 0x3FF, CharKind::Letter},
    // Cyrillic, Armenian
    {0x400, 0x481, CharKind::Letter}, {0x483, 0x489, CharKind::Mark}, {0x48A, 0x52F, CharKind::Letter},
    {0x531, 0x556, CharKind::Letter}, {0x559, 0x559, CharKind::Letter}, {0x560, 0x588, CharKind::Letter},
    // Hebrew: points and cantillation are marks; maqaf, paseq and sof pasuq separate
    {0x591, 0x5BD, CharKind::Mark}, {0x5BF, 0x5BF, CharKind::Mark}, {0x5C1, 0x5C2, CharKind::Mark},
    {0x5C4, 0x5C5, CharKind::Mark}, {0x5C7, 0x5C7, CharKind::Mark}, {0x5D0, 0x5EA, CharKind::Letter},
    {0x5EF, 0x5F2, CharKind::Letter},
    // Arabic (and Persian, Urdu): tatweel stretches a word and stays inside it
    {0x610, 0x61A, CharKind::Mark}, {0x620, 0x64A, CharKind::Letter}, {0x64B, 0x65F, CharKind::Mark},
    {0x660, 0x669, CharKind::Letter}, {0x66E, 0x66F, CharKind::Letter}, {0x670, 0x670, CharKind::Mark},
    {0x671, 0x6D3, CharKind::Letter}, {0x6D5, 0x6D5, CharKind::Letter}, {0x6D6, 0x6DC, CharKind::Mark},
    {0x6DF, 0x6E4, CharKind::Mark}, {0x6E5, 0x6E6, CharKind::Letter}, {0x6E7, 0x6E8, CharKind::Mark},
    {0x6EA, 0x6ED, CharKind::Mark}, {0x6EE, 0x6FC, CharKind::Letter}, {0x6FF, 0x6FF, CharKind::Letter},
    // Devanagari to Malayalam, coarsely: their letters, signs and digits all belong to words
    {0x900, 0x963, CharKind::Letter}, {0x966, 0x96F, CharKind::Letter}, {0x971, 0xD7F, CharKind::Letter},
    // Thai, Lao
    {0xE01, 0xE30, CharKind::Letter}, {0xE31, 0xE31, CharKind::Mark}, {0xE32, 0xE33, CharKind::Letter},
    {0xE34, 0xE3A, CharKind::Mark}, {0xE40, 0xE46, CharKind::Letter}, {0xE47, 0xE4E, CharKind::Mark},
    {0xE50, 0xE59, CharKind::Letter}, {0xE81, 0xEDF, CharKind::Letter},
    // Georgian, Hangul jamo
    {0x10A0, 0x10FF, CharKind::Letter}, {0x1100, 0x11FF, CharKind::Letter},
    // Latin and Greek extended (Vietnamese, polytonic Greek)
    {0x1E00, 0x1FBC, CharKind::Letter}, {0x1FC2, 0x1FCC, CharKind::Letter}, {0x1FD0, 0x1FDB, CharKind::Letter},
    {0x1FE0, 0x1FEC, CharKind::Letter}, {0x1FF2, 0x1FFC, CharKind::Letter},
    {0x20D0, 0x20FF, CharKind::Mark}, {0x2C00, 0x2DFF, CharKind::Letter},
    // East Asian: iteration marks and the ideographic zero count as ideographs
    {0x3005, 0x3007, CharKind::Han}, {0x3021, 0x3029, CharKind::Han}, {0x3031, 0x3035, CharKind::Katakana},
    {0x3041, 0x3096, CharKind::Hiragana}, {0x3099, 0x309A, CharKind::Mark}, {0x309D, 0x309F, CharKind::Hiragana},
    {0x30A1, 0x30FA, CharKind::Katakana}, {0x30FC, 0x30FF, CharKind::Katakana},
    {0x3105, 0x312F, CharKind::Letter}, {0x3131, 0x318E, CharKind::Letter}, {0x31A0, 0x31BF, CharKind::Letter},
    {0x31F0, 0x31FF, CharKind::Katakana}, {0x3400, 0x4DBF, CharKind::Han}, {0x4E00, 0x9FFF, CharKind::Han},
    {0xA000, 0xA48C, CharKind::Letter}, {0xAC00, 0xD7A3, CharKind::Letter}, {0xF900, 0xFAFF, CharKind::Han},
    {0xFB1D, 0xFB4F, CharKind::Letter}, {0xFB50, 0xFDFB, CharKind::Letter}, {0xFE70, 0xFEFC, CharKind::Letter},
    {0xFF10, 0xFF19, CharKind::Letter}, {0xFF21, 0xFF3A, CharKind::Letter}, {0xFF41, 0xFF5A, CharKind::Letter},
    {0xFF66, 0xFF9D, CharKind::Katakana}, {0xFF9E, 0xFF9F, CharKind::Mark}, {0xFFA0, 0xFFDC, CharKind::Letter},
};

enum class Fold : uint8_t { Add, EvenUpper, OddUpper };

struct FoldRange {
  char32_t first, last;
  Fold rule;
  int32_t delta;  // for Add
};

// Upper-case letters and how each becomes lower case.
constexpr FoldRange kFolds[] = {
    {'A', 'Z', Fold::Add, 0x20}, {0xC0, 0xD6, Fold::Add, 0x20}, {0xD8, 0xDE, Fold::Add, 0x20},
    {0x100, 0x12F, Fold::EvenUpper, 0}, {0x130, 0x130, Fold::Add, 'i' - 0x130}, {0x132, 0x137, Fold::EvenUpper, 0},
    {0x139, 0x148, Fold::OddUpper, 0}, {0x14A, 0x177, Fold::EvenUpper, 0}, {0x178, 0x178, Fold::Add, 0xFF - 0x178},
    {0x179, 0x17E, Fold::OddUpper, 0}, {0x182, 0x185, Fold::EvenUpper, 0}, {0x187, 0x188, Fold::OddUpper, 0},
    {0x191, 0x192, Fold::OddUpper, 0}, {0x198, 0x199, Fold::EvenUpper, 0}, {0x1A0, 0x1A5, Fold::EvenUpper, 0},
    {0x1AF, 0x1B0, Fold::OddUpper, 0}, {0x1B3, 0x1B6, Fold::OddUpper, 0}, {0x1CD, 0x1DC, Fold::OddUpper, 0},
    {0x1DE, 0x1EF, Fold::EvenUpper, 0}, {0x1F8, 0x21F, Fold::EvenUpper, 0}, {0x222, 0x233, Fold::EvenUpper, 0},
    {0x246, 0x24F, Fold::EvenUpper, 0},
    {0x386, 0x386, Fold::Add, 0x26}, {0x388, 0x38A, Fold::Add, 0x25}, {0x38C, 0x38C, Fold::Add, 0x40},
    {0x38E, 0x38F, Fold::Add, 0x3F}, {0x391, 0x3A1, Fold::Add, 0x20}, {0x3A3, 0x3AB, Fold::Add, 0x20},
    {0x3D8, 0x3EF, Fold::EvenUpper, 0},
    {0x400, 0x40F, Fold::Add, 0x50}, {0x410, 0x42F, Fold::Add, 0x20}, {0x460, 0x481, Fold::EvenUpper, 0},
    {0x48A, 0x4BF, Fold::EvenUpper, 0}, {0x4C0, 0x4C0, Fold::Add, 0xF}, {0x4C1, 0x4CE, Fold::OddUpper, 0},
    {0x4D0, 0x52F, Fold::EvenUpper, 0}, {0x531, 0x556, Fold::Add, 0x30}, {0x10A0, 0x10C5, Fold::Add, 0x1C60},
    {0x1E00, 0x1E95, Fold::EvenUpper, 0}, {0x1EA0, 0x1EFF, Fold::EvenUpper, 0},
    // Fullwidth Latin letters and digits are the ASCII ones for a reader
    {0xFF10, 0xFF19, Fold::Add, '0' - 0xFF10}, {0xFF21, 0xFF3A, Fold::Add, 'a' - 0xFF21},
    {0xFF41, 0xFF5A, Fold::Add, 'a' - 0xFF41},
};

class Table {
 public:
  Table() : entries_(new uint32_t[0x10000]) {
    for (char32_t c = 0; c < 0x10000; ++c) entries_[c] = pack(CharKind::Separator, c);
    for (const Range& r : kRanges)
      for (char32_t c = r.first; c <= r.last; ++c) entries_[c] = pack(r.kind, c);
    for (const FoldRange& f : kFolds)
      for (char32_t c = f.first; c <= f.last; ++c) {
        char32_t lower = c;
        if (f.rule == Fold::Add) lower = static_cast<char32_t>(static_cast<int32_t>(c) + f.delta);
        else if ((c % 2 == 0) == (f.rule == Fold::EvenUpper)) lower = c + 1;
        entries_[c] = pack(kindOf(c), lower);
      }
  }

  CharInfo at(char32_t c) const { return {kindOf(c), entries_[c] & 0x1FFFFF}; }

 private:
  static uint32_t pack(CharKind kind, char32_t c) { return static_cast<uint32_t>(kind) << 24 | c; }
  CharKind kindOf(char32_t c) const { return static_cast<CharKind>(entries_[c] >> 24); }

  std::unique_ptr<uint32_t[]> entries_;
};

}  // namespace

CharInfo charInfo(char32_t c) {
  static const Table table;
  if (c < 0x10000) return table.at(c);
  // Beyond the first plane only the supplementary ideographs occur in the East Asian code pages.
  if (c >= 0x20000 && c <= 0x3FFFF) return {CharKind::Han, c};
  return {CharKind::Separator, c};
}

}  // namespace chm
