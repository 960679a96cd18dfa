// Link passes over converted pages: bare web addresses become links, bookmark markers become anchors.
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "convert/html_passes.h"

namespace t2c {
namespace {

constexpr std::string_view kHeadEnd = "</head>";
constexpr std::string_view kWebPrefix = "http://";
constexpr std::string_view kEscapedLess = "&lt;";
constexpr std::string_view kLinkOpen = "<A TARGET=_blank HREF=";
constexpr std::string_view kLinkClose = "</A>";
constexpr std::size_t kLongestLinkedAddress = 780;

constexpr std::string_view kBookmarkOpen = "bookmark&lt;";
constexpr std::string_view kBookmarkClose = "&gt;";
constexpr std::string_view kAnchorOpen = "<A NAME=";
// Stands in the page where a marker's "&gt;" was.
constexpr std::string_view kAnchorTail = "\">";

constexpr std::size_t npos = std::string_view::npos;

bool endsAddress(unsigned char c) {
  return c == '\t' || c == '\n' || c == '\r' || c == ' ' || c == '"' || c == '<';
}

char upper(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

bool isSpaceOrTagEnd(char c) {
  return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '>';
}

// Answers, for increasing body offsets, whether an offset stands inside a tag or inside the
// text of an <A ...>...</A> element. Every byte is looked at once and the closing-tag search
// only moves forward, so a whole page costs linear time.
class MarkupTracker {
 public:
  explicit MarkupTracker(std::string_view body) : body_(body) {}

  bool insideMarkup(std::size_t offset) {
    for (; scanned_ < offset; ++scanned_) {
      const char c = body_[scanned_];
      if (inTag_) {
        trackTag(c);
      } else if (c == '<') {
        inTag_ = true;
        afterEquals_ = false;
        quote_ = 0;
        if (opensAnchor(scanned_)) anchorTextEnd_ = closingAnchorAfter(scanned_);
      }
    }
    return inTag_ || (anchorTextEnd_ != npos && offset < anchorTextEnd_);
  }

 private:
  // Inside a tag a ">" ends it only outside a quoted attribute value; a quote opens a value only
  // right after "=", so a stray apostrophe in an unquoted value cannot swallow the page.
  void trackTag(char c) {
    if (quote_) {
      if (c == quote_) quote_ = 0;
      return;
    }
    if (c == '>') {
      inTag_ = false;
    } else if ((c == '"' || c == '\'') && afterEquals_) {
      quote_ = c;
    }
    if (c == '=') {
      afterEquals_ = true;
    } else if (c != ' ' && c != '\t' && c != '\r' && c != '\n') {
      afterEquals_ = false;
    }
  }

  bool opensAnchor(std::size_t at) const {
    return at + 2 < body_.size() && upper(body_[at + 1]) == 'A' && isSpaceOrTagEnd(body_[at + 2]);
  }

  // True when only white space stands between `at` and a ">".
  bool closesTagAt(std::size_t at) const {
    while (at < body_.size() && (body_[at] == ' ' || body_[at] == '\t' || body_[at] == '\r' || body_[at] == '\n'))
      ++at;
    return at < body_.size() && body_[at] == '>';
  }

  // An opening tag without a later "</A>" makes no element, so nothing after it is protected.
  std::size_t closingAnchorAfter(std::size_t at) {
    if (closeFound_ != npos && closeFound_ > at) return closeFound_;
    if (noCloseFrom_ != npos && noCloseFrom_ <= at) return npos;
    for (std::size_t k = body_.find("</", at); k != npos; k = body_.find("</", k + 2)) {
      if (k + 2 < body_.size() && upper(body_[k + 2]) == 'A' && closesTagAt(k + 3)) {
        closeFound_ = k;
        return k;
      }
    }
    noCloseFrom_ = at;
    return npos;
  }

  std::string_view body_;
  std::size_t scanned_ = 0;
  bool inTag_ = false;
  bool afterEquals_ = false;
  char quote_ = 0;
  std::size_t anchorTextEnd_ = npos;
  std::size_t closeFound_ = npos;
  std::size_t noCloseFrom_ = npos;
};

void appendLink(std::string& out, std::string_view address) {
  out.append(kLinkOpen);
  out.push_back('"');
  out.append(address);
  out.append("\">");
  out.append(address);
  out.append(kLinkClose);
}

}  // namespace

void linkWebAddresses(std::string& page) {
  const std::size_t headEnd = page.find(kHeadEnd);
  const std::size_t bodyStart = (headEnd != npos && headEnd > 0) ? headEnd + kHeadEnd.size() : 0;
  const std::string_view body = std::string_view(page).substr(bodyStart);

  std::string out;
  out.reserve(page.size() + page.size() / 8);
  out.append(page, 0, bodyStart);
  MarkupTracker markup(body);
  std::size_t copied = 0;
  std::size_t p = 0;
  while (p < body.size()) {
    const std::size_t i = body.find(kWebPrefix, p);
    if (i == npos) break;
    if (markup.insideMarkup(i)) {
      p = i + kWebPrefix.size();
      continue;
    }
    std::size_t e = i + kWebPrefix.size() + 1;
    while (e < body.size() && !endsAddress(static_cast<unsigned char>(body[e]))) ++e;
    // An address that runs to the end of the page is the last one, even when "&lt;" cuts it.
    const bool last = e >= body.size();
    if (last) e = body.size();
    if (e - i <= kLongestLinkedAddress) {
      const std::size_t k = body.substr(i, e - i).find(kEscapedLess);
      if (k != npos && k > 0) e = i + k;
      out.append(body.substr(copied, i - copied));
      appendLink(out, body.substr(i, e - i));
      copied = e;
    }
    if (last) break;
    p = e;
  }
  out.append(body.substr(copied));
  page.swap(out);
}

// Every marker search starts again at the front of the page, so a name may itself contain a
// marker that a later round replaces. The page is kept as a finished front part plus the rest,
// and the rest is a list of ranges of the original page joined by the "\">" texts that stand
// where replaced "&gt;" were. Neither marker text can span such a join (they contain no '"' or
// '>'), every range but the last is known to hold no "&gt;", and everything before a found
// marker is final: so no byte is copied or searched more than a few times.
void insertBookmarkAnchors(std::string& page) {
  struct Range {
    std::size_t begin;
    std::size_t end;
  };
  const std::string_view src = page;
  std::vector<Range> rest{{0, src.size()}};
  std::size_t first = 0;

  std::string out;
  out.reserve(page.size());
  auto emitRange = [&](const Range& r, std::size_t until) {
    out.append(src.substr(r.begin, until - r.begin));
  };

  for (;;) {
    std::size_t k = first;
    std::size_t l = npos;
    for (; k < rest.size(); ++k) {
      const std::size_t at = src.substr(rest[k].begin, rest[k].end - rest[k].begin).find(kBookmarkOpen);
      if (at != npos) {
        l = rest[k].begin + at;
        break;
      }
    }
    if (l == npos) break;
    const std::size_t last = rest.size() - 1;
    const std::size_t gtFrom = (k == last) ? l + kBookmarkOpen.size() : rest[last].begin;
    const std::size_t r = src.find(kBookmarkClose, gtFrom);
    if (r == npos) break;

    for (std::size_t j = first; j < k; ++j) {
      emitRange(rest[j], rest[j].end);
      out.append(kAnchorTail);
    }
    emitRange(rest[k], l);
    out.append(kAnchorOpen);
    out.push_back('"');

    first = k;
    rest[k].begin = l + kBookmarkOpen.size();
    rest.back().end = r;
    rest.push_back({r + kBookmarkClose.size(), src.size()});
  }

  for (std::size_t j = first; j < rest.size(); ++j) {
    if (j > first) out.append(kAnchorTail);
    emitRange(rest[j], rest[j].end);
  }
  page.swap(out);
}

}  // namespace t2c
