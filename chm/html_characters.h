// Reading a page's characters: its declared encoding, the code page bytes it is in, and
// character references.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "irun/codepage.h"

namespace chm {

// The code page a page declares in a <meta ... charset=...>, among its first 64 KiB; 0 when it
// declares none (or one no Windows code page stands for).
unsigned declaredCodePage(const std::string& html);

// The Windows code page of a charset name ("windows-1251", "shift_jis", "utf-8"); 0 when unknown.
unsigned codePageOfCharset(const std::string& name);

// The character a reference names, `at` being just past the '&'. On success `end` is where the
// text goes on (past the ';' when there is one); kNoCharacter when the text is no reference.
constexpr char32_t kNoCharacter = 0xFFFFFFFF;
char32_t readReference(const std::string& html, size_t at, size_t& end);

// Decodes the characters of a page in one code page (UTF-8 included).
class PageDecoder {
 public:
  // `page` must outlive the decoder; nullptr reads UTF-8.
  explicit PageDecoder(irun::CodePage* page) : page_(page) {}
  // The character at `at`, moving `at` past it; a byte that starts no character decodes to
  // U+FFFD and moves one byte.
  char32_t next(const std::string& bytes, size_t& at) const {
    const unsigned char b = static_cast<unsigned char>(bytes[at]);
    if (b < 0x80) {
      ++at;
      return b;
    }
    return page_ ? nextInCodePage(bytes, at) : nextUtf8(bytes, at);
  }

 private:
  char32_t nextInCodePage(const std::string& bytes, size_t& at) const;
  static char32_t nextUtf8(const std::string& bytes, size_t& at);

  irun::CodePage* page_;
};

// Writes characters in the code page the index stores its words in, remembering each answer.
class WordEncoder {
 public:
  explicit WordEncoder(irun::CodePage* page) : page_(page), cache_(page ? 0x10000 : 0) {}
  // Appends c; false when the code page has no such character.
  bool append(char32_t c, std::string& out);

 private:
  irun::CodePage* page_;  // nullptr writes UTF-8
  // Per character of the first plane: 0 not yet asked, kUnmapped, else the bytes (a second byte
  // in the high half).
  static constexpr uint16_t kUnmapped = 0xFFFF;
  std::vector<uint16_t> cache_;
};

}  // namespace chm
