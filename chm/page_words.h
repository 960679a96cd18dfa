// The words of a page as its reader sees them, in the code page the search index stores them in.
#pragma once

#include <cstdint>
#include <string>

#include "chm/html_characters.h"

namespace chm {

// Receives a page's words in reading order.
class WordSink {
 public:
  virtual ~WordSink() = default;
  // `word` is lower case, in the index's code page, at most kLongestWord bytes; `location`
  // counts the page's words from 0 (a run of ideographs shares its first one's location).
  // `inTitle` for words of the page's <title>, which come first.
  virtual void word(const std::string& word, uint32_t location, bool inTitle) = 0;
};

constexpr size_t kLongestWord = 99;  // longer words are left out, as readers expect none longer

// Splits pages into words. A page is read in the code page its <meta ... charset=...> declares,
// else in the index's. Words are maximal runs of letters and digits of any script (with the
// combining marks that follow them); markup, comments, scripts, styles and the head outside the
// <title> hold none; character references count as the characters they name. Ideographs and
// kana are words one by one, at consecutive locations (what phrase searches over such text
// rely on), and every run of two or more of one script is a word too, so that a search for a
// word of several ideographs finds it whole.
class PageWords {
 public:
  // `codePage`: the Windows ANSI code page the words are stored in; 0 or 65001 store UTF-8.
  explicit PageWords(unsigned codePage);
  // Hands the page's words to `sink` (none without one) and returns the text of its first
  // <title>: blank runs made one blank, references read, in the index's code page with '?' for
  // characters it lacks; empty when there is none.
  std::string read(const std::string& html, WordSink* sink);

 private:
  irun::CodePage* pageOf(unsigned codePage);

  unsigned codePage_;
  irun::CodePages pages_;
  WordEncoder encoder_;
};

}  // namespace chm
