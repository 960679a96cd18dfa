// What the search index counts as a word character, per script, and the case each is folded to.
#pragma once

#include <cstdint>

namespace chm {

enum class CharKind : uint8_t {
  Separator,  // ends a word: blanks, punctuation, symbols, anything unassigned
  Letter,     // letters and digits of the alphabetic scripts (Latin, Greek, Cyrillic, Hebrew, ...)
  Mark,       // combining marks: part of the word they follow, never start one
  Ignored,    // invisible inside words (soft hyphen): neither joins nor ends
  Han,        // ideographs (Chinese, Japanese kanji): every one is a word of its own as well
  Hiragana,
  Katakana,
};

struct CharInfo {
  CharKind kind;
  char32_t folded;  // the lower-case form searched for; fullwidth Latin letters and digits fold to ASCII
};

CharInfo charInfo(char32_t c);

// Ideographs and kana: text written without blanks between words.
inline bool isUnspaced(CharKind kind) {
  return kind == CharKind::Han || kind == CharKind::Hiragana || kind == CharKind::Katakana;
}

}  // namespace chm
