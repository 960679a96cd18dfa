// Walks a page's markup, decodes its text and cuts it into words of every script.
#include "chm/page_words.h"
#include "chm/ascii_text.h"

#include <cstring>

#include "chm/word_characters.h"

namespace chm {
namespace {

constexpr unsigned kUtf8 = 65001;
constexpr char32_t kCapitalSigma = 0x3A3, kFinalSigma = 0x3C2;
// Titles are shown on one line; a title left open would otherwise take in the whole page.
constexpr size_t kLongestTitle = 1000;

bool isAsciiLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool isAsciiAlnum(char c) { return isAsciiLetter(c) || (c >= '0' && c <= '9'); }

bool isOneOf(const std::string& name, std::initializer_list<const char*> names) {
  for (const char* candidate : names)
    if (name == candidate) return true;
  return false;
}

// Elements that sit inside a line of text: a word runs on across their tags ("W<b>or</b>d").
bool isInline(const std::string& name) {
  return isOneOf(name, {"a", "abbr", "acronym", "b", "bdi", "bdo", "big", "cite", "code", "del", "dfn", "em",
                        "font", "i", "ins", "kbd", "mark", "nobr", "q", "s", "samp", "small", "span", "strike",
                        "strong", "sub", "sup", "tt", "u", "var", "wbr"});
}

// Elements a head holds; any other element starts the body even where the page omits <body>.
bool belongsInHead(const std::string& name) {
  return isOneOf(name, {"html", "head", "title", "meta", "link", "style", "script", "base", "noscript",
                        "basefont", "bgsound", "object", "param"});
}

// Where the element `name` closes ("</name"), letter case aside; npos when it never does.
size_t findClosing(const std::string& html, size_t from, const std::string& name) {
  for (size_t at = html.find("</", from); at != std::string::npos; at = html.find("</", at + 2)) {
    size_t i = 0;
    while (i < name.size() && at + 2 + i < html.size() && asciiLower(html[at + 2 + i]) == name[i]) ++i;
    if (i == name.size() && (at + 2 + i >= html.size() || !isAsciiAlnum(html[at + 2 + i]))) return at;
  }
  return std::string::npos;
}

// Past the '>' that ends the tag whose name ends at `from`; quoted attribute values may hold '>'.
size_t tagEnd(const std::string& html, size_t from) {
  char quote = 0;
  char previous = 0;
  for (size_t at = from; at < html.size(); ++at) {
    const char c = html[at];
    if (quote) {
      if (c == quote) quote = 0;
    } else if (c == '>') {
      return at + 1;
    } else if ((c == '"' || c == '\'') && previous == '=') {
      quote = c;
    }
    if (c != ' ' && c != '\t' && c != '\r' && c != '\n') previous = c;
  }
  return html.size();
}

class Splitter {
 public:
  // Without a sink only the title is read.
  Splitter(const std::string& html, PageDecoder decoder, WordEncoder& encoder, WordSink* sink)
      : html_(html), decoder_(decoder), encoder_(encoder), sink_(sink) {}

  // The words go to the sink; returns the first <title>'s text in the index's code page.
  std::string run() {
    size_t at = 0;
    while (at < html_.size() && (sink_ || !titleRead_)) {
      const char c = html_[at];
      if (c == '<') {
        at = tag(at);
      } else if (inHead_ && !inTitle_) {
        ++at;
      } else if (c == '&') {
        size_t end = at + 1;
        const char32_t named = readReference(html_, at + 1, end);
        text(named == kNoCharacter ? U'&' : named);
        at = named == kNoCharacter ? at + 1 : end;
      } else {
        text(decoder_.next(html_, at));
      }
    }
    endWord();
    std::string title;
    for (char32_t c : title_)
      if (!encoder_.append(c, title)) title.push_back('?');
    return title;
  }

 private:
  size_t tag(size_t at) {
    if (html_.compare(at, 4, "<!--") == 0) {
      endWord();
      const size_t end = html_.find("-->", at + 4);
      return end == std::string::npos ? html_.size() : end + 3;
    }
    size_t i = at + 1;
    const bool closing = i < html_.size() && html_[i] == '/';
    if (closing) ++i;
    if (i >= html_.size() || !isAsciiLetter(html_[i])) {
      if (i < html_.size() && (html_[i] == '!' || html_[i] == '?')) {
        endWord();
        return tagEnd(html_, i);
      }
      if (!inHead_ || inTitle_) text(U'<');
      return at + 1;
    }
    std::string name;
    for (; i < html_.size() && isAsciiAlnum(html_[i]); ++i)
      if (name.size() < 12) name.push_back(asciiLower(html_[i]));
    size_t end = tagEnd(html_, i);
    if (!isInline(name)) endWord();
    if (name == "title") {
      titleRead_ = titleRead_ || (inTitle_ && closing);
      inTitle_ = !closing;
    } else if (name == "head") {
      inHead_ = !closing;
    } else if (!closing && !belongsInHead(name)) {
      inHead_ = false;
    }
    if (!closing && (name == "script" || name == "style") && html_[end - 1] == '>' && html_[end - 2] != '/') {
      const size_t close = findClosing(html_, end, name);
      end = close == std::string::npos ? html_.size() : tagEnd(html_, close + 2);
    }
    return end;
  }

  // A character of the page's text: part of the title (blank runs made one blank) and of words.
  void text(char32_t c) {
    if (inTitle_ && !titleRead_ && title_.size() < kLongestTitle) {
      if (c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == 0xA0) {
        titleBlank_ = !title_.empty();
      } else {
        if (titleBlank_) title_.push_back(U' ');
        titleBlank_ = false;
        title_.push_back(c);
      }
    }
    if (sink_) feed(c);
  }

  void feed(char32_t c) {
    const CharInfo info = charInfo(c);
    switch (info.kind) {
      case CharKind::Letter:
        if (runKind_ != CharKind::Letter) endWord();
        runKind_ = CharKind::Letter;
        word_.push_back(info.folded);
        capitalSigmaLast_ = c == kCapitalSigma;
        break;
      case CharKind::Mark:
        if (runKind_ == CharKind::Letter) word_.push_back(info.folded);
        break;
      case CharKind::Ignored: break;
      case CharKind::Han:
      case CharKind::Hiragana:
      case CharKind::Katakana:
        if (runKind_ != info.kind) endWord();
        if (word_.empty()) runStart_ = location_;
        runKind_ = info.kind;
        word_.push_back(info.folded);
        emit(&info.folded, 1, location_++);
        break;
      case CharKind::Separator: endWord(); break;
    }
  }

  void endWord() {
    if (word_.empty()) return;
    // A capital sigma ending a word is the final form in lower case, as Greek writes it.
    if (capitalSigmaLast_ && word_.size() > 1) word_.back() = kFinalSigma;
    capitalSigmaLast_ = false;
    if (runKind_ == CharKind::Letter) emit(word_.data(), word_.size(), location_++);
    else if (word_.size() > 1) emit(word_.data(), word_.size(), runStart_);
    word_.clear();
    runKind_ = CharKind::Separator;
  }

  void emit(const char32_t* chars, size_t count, uint32_t location) {
    bytes_.clear();
    for (size_t i = 0; i < count; ++i)
      if (!encoder_.append(chars[i], bytes_) || bytes_.size() > kLongestWord) return;
    sink_->word(bytes_, location, inTitle_);
  }

  const std::string& html_;
  PageDecoder decoder_;
  WordEncoder& encoder_;
  WordSink* sink_;
  bool inHead_ = false;
  bool inTitle_ = false;
  bool titleRead_ = false;  // the first title has ended
  bool titleBlank_ = false;
  std::u32string title_;
  std::u32string word_;
  CharKind runKind_ = CharKind::Separator;
  bool capitalSigmaLast_ = false;
  uint32_t runStart_ = 0;
  uint32_t location_ = 0;
  std::string bytes_;
};

}  // namespace

PageWords::PageWords(unsigned codePage)
    : codePage_(codePage == 0 ? kUtf8 : codePage), encoder_(pageOf(codePage_)) {}

irun::CodePage* PageWords::pageOf(unsigned codePage) {
  return codePage == kUtf8 ? nullptr : &pages_.get(static_cast<int>(codePage));
}

std::string PageWords::read(const std::string& html, WordSink* sink) {
  const unsigned declared = declaredCodePage(html);
  return Splitter(html, PageDecoder(pageOf(declared ? declared : codePage_)), encoder_, sink).run();
}

}  // namespace chm
