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
// Becomes ">" in the unescaping pass.
constexpr std::string_view kEscapedTagEnd = "&gt;;";

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

bool isLetter(char c) { return upper(c) >= 'A' && upper(c) <= 'Z'; }

bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

// Answers, for increasing body offsets, whether an offset stands inside a tag or inside the
// text of an <A ...>...</A> element of the page as the later passes leave it: an escaped "<"
// before a letter, "/", "!" or "?" (but not before an address) opens a tag as "<" does, "&gt;;"
// closes one as ">" does, and a bookmark marker up to its "&gt;" is the anchor tag it becomes.
// Every byte is looked at once and the searches ahead only move forward, so a whole page costs
// linear time.
class MarkupTracker {
 public:
  explicit MarkupTracker(std::string_view body) : body_(body) {}

  bool insideMarkup(std::size_t offset) {
    for (; scanned_ < offset; ++scanned_) {
      if (scanned_ < markerEnd_) continue;
      if (inTag_) {
        trackTag(scanned_);
      } else if (body_[scanned_] == '<') {
        openTag(scanned_, 1);
      } else if (body_[scanned_] == '&' && at(scanned_, kEscapedLess)) {
        if (opensMarker(scanned_)) {
          markerEnd_ = markerClose_ + kBookmarkClose.size();
        } else if (opensEscapedTag(scanned_)) {
          openTag(scanned_, kEscapedLess.size());
        }
      }
    }
    return inTag_ || offset < markerEnd_ || (anchorTextEnd_ != npos && offset < anchorTextEnd_);
  }

 private:
  bool at(std::size_t offset, std::string_view text) const {
    return body_.substr(offset, text.size()) == text;
  }

  // The ">" that ends a tag, or the "&gt;;" that becomes one; 0 when neither stands there.
  std::size_t tagEndAt(std::size_t offset) const {
    if (offset >= body_.size()) return 0;
    if (body_[offset] == '>') return 1;
    return body_[offset] == '&' && at(offset, kEscapedTagEnd) ? kEscapedTagEnd.size() : 0;
  }

  // An address right after the escaped "<" is linked, and its link tag then follows the "<",
  // which so opens none.
  bool opensEscapedTag(std::size_t offset) const {
    const std::size_t next = offset + kEscapedLess.size();
    if (next >= body_.size() || at(next, kWebPrefix)) return false;
    const char c = body_[next];
    return isLetter(c) || c == '/' || c == '!' || c == '?';
  }

  // A marker that the bookmark pass replaces: "bookmark&lt;" with a "&gt;" somewhere after it.
  bool opensMarker(std::size_t lessAt) {
    const std::size_t prefix = kBookmarkOpen.size() - kEscapedLess.size();
    if (lessAt < prefix || !at(lessAt - prefix, kBookmarkOpen) || noMarkerClose_) return false;
    if (markerClose_ == npos || markerClose_ < lessAt) {
      markerClose_ = body_.find(kBookmarkClose, lessAt + kEscapedLess.size());
    }
    noMarkerClose_ = markerClose_ == npos;
    return !noMarkerClose_;
  }

  void openTag(std::size_t offset, std::size_t lessLength) {
    inTag_ = true;
    afterEquals_ = false;
    quote_ = 0;
    if (opensAnchor(offset + lessLength)) anchorTextEnd_ = closingAnchorAfter(offset);
  }

  // Inside a tag a tag end counts only outside a quoted attribute value; a quote opens a value
  // only right after "=", so a stray apostrophe in an unquoted value cannot swallow the page.
  void trackTag(std::size_t offset) {
    const char c = body_[offset];
    if (quote_) {
      if (c == quote_) quote_ = 0;
      return;
    }
    if (tagEndAt(offset)) {
      inTag_ = false;
    } else if ((c == '"' || c == '\'') && afterEquals_) {
      quote_ = c;
    }
    if (c == '=') {
      afterEquals_ = true;
    } else if (!isBlank(c)) {
      afterEquals_ = false;
    }
  }

  // The tag name, right after its "<", is A alone.
  bool opensAnchor(std::size_t name) const {
    if (name + 1 >= body_.size() || upper(body_[name]) != 'A') return false;
    return isBlank(body_[name + 1]) || tagEndAt(name + 1);
  }

  // True when only white space stands between `offset` and a tag end.
  bool closesTagAt(std::size_t offset) const {
    while (offset < body_.size() && isBlank(body_[offset])) ++offset;
    return tagEndAt(offset) != 0;
  }

  // The start of the first "</A>" after `offset`, either bracket escaped; an opening tag without
  // one makes no element, so nothing after it is protected.
  std::size_t closingAnchorAfter(std::size_t offset) {
    if (closeFound_ != npos && closeFound_ > offset) return closeFound_;
    if (noCloseFrom_ != npos && noCloseFrom_ <= offset) return npos;
    for (std::size_t k = body_.find('/', offset + 1); k != npos; k = body_.find('/', k + 1)) {
      std::size_t start = npos;
      if (body_[k - 1] == '<') {
        start = k - 1;
      } else if (k >= kEscapedLess.size() && at(k - kEscapedLess.size(), kEscapedLess)) {
        start = k - kEscapedLess.size();
      }
      if (start == npos || start < offset || k + 1 >= body_.size() || upper(body_[k + 1]) != 'A') continue;
      if (closesTagAt(k + 2)) {
        closeFound_ = start;
        return start;
      }
    }
    noCloseFrom_ = offset;
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
  std::size_t markerEnd_ = 0;
  std::size_t markerClose_ = npos;
  bool noMarkerClose_ = false;
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
