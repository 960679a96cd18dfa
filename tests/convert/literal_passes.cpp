// Step-by-step versions of three page passes: slow on purpose, written to mirror each rule in turn.
#include "literal_passes.h"

#include <cctype>
#include <cstddef>
#include <string>
#include <utility>
#include <vector>

namespace t2c::literal {
namespace {

constexpr std::size_t npos = std::string::npos;

std::string upperCopy(const std::string& s) {
  std::string u = s;
  for (char& c : u) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return u;
}

bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

bool isAt(const std::string& s, std::size_t k, const std::string& text) {
  return s.compare(k, text.size(), text) == 0;
}

// The length of the tag end at k: ">", or "&gt;;", which the unescaping pass turns into ">".
std::size_t tagEndAt(const std::string& s, std::size_t k) {
  if (k < s.size() && s[k] == '>') return 1;
  return isAt(s, k, "&gt;;") ? 5 : 0;
}

// The tag name starting at `name` is A alone.
bool isAnchorName(const std::string& s, std::size_t name) {
  if (name + 1 >= s.size() || (s[name] != 'A' && s[name] != 'a')) return false;
  return isBlank(s[name + 1]) || tagEndAt(s, name + 1) != 0;
}

// The first "</A" followed by blanks and a tag end at or after `from`, either bracket escaped.
std::size_t closingAnchor(const std::string& body, std::size_t from) {
  for (std::size_t k = from; k < body.size(); ++k) {
    const std::size_t less = body[k] == '<' ? 1 : isAt(body, k, "&lt;") ? 4 : 0;
    if (less == 0 || !isAt(body, k + less, "/") || k + less + 1 >= body.size()) continue;
    const char name = body[k + less + 1];
    if (name != 'A' && name != 'a') continue;
    std::size_t end = k + less + 2;
    while (end < body.size() && isBlank(body[end])) ++end;
    if (tagEndAt(body, end)) return k;
  }
  return npos;
}

// Reads the page from its start up to the offset, one byte at a time, as the later passes will
// leave it. Inside a tag: a "<", or an "&lt;" before a letter, "/", "!" or "?" but not before
// "http://" (that address gets a link, whose tag then follows the "<"), was seen and no
// ">" or "&gt;;" outside a quoted value since (a quote opens a value only after "="). Inside a
// bookmark marker: from its "&lt;" through the first "&gt;" after it. Inside a link's text: the
// last anchor tag before the offset is closed after it.
bool insideMarkup(const std::string& body, std::size_t i) {
  bool inTag = false;
  bool afterEquals = false;
  char quote = 0;
  std::size_t opening = npos;
  std::size_t markerEnd = 0;
  for (std::size_t k = 0; k < i; ++k) {
    if (k < markerEnd) continue;
    const char c = body[k];
    if (!inTag) {
      std::size_t less = c == '<' ? 1 : 0;
      if (isAt(body, k, "&lt;")) {
        const std::size_t r = body.find("&gt;", k + 4);
        if (k >= 8 && isAt(body, k - 8, "bookmark&lt;") && r != npos) {
          markerEnd = r + 4;
          continue;
        }
        const char next = k + 4 < body.size() ? body[k + 4] : ' ';
        const char upperNext = (next >= 'a' && next <= 'z') ? static_cast<char>(next - 'a' + 'A') : next;
        const bool tagStart = (upperNext >= 'A' && upperNext <= 'Z') || next == '/' || next == '!' || next == '?';
        if (tagStart && !isAt(body, k + 4, "http://")) less = 4;
      }
      if (less > 0) {
        inTag = true;
        afterEquals = false;
        quote = 0;
        if (isAnchorName(body, k + less)) opening = k;
      }
      continue;
    }
    if (quote) {
      if (c == quote) quote = 0;
      continue;
    }
    if (tagEndAt(body, k)) inTag = false;
    if ((c == '"' || c == '\'') && afterEquals) quote = c;
    if (c == '=') afterEquals = true;
    else if (!isBlank(c)) afterEquals = false;
  }
  if (inTag || i < markerEnd) return true;
  if (opening == npos) return false;
  const std::size_t closing = closingAnchor(body, opening);
  return closing != npos && i < closing;
}

void removeEvery(std::string& s, const std::string& what) {
  std::size_t at = s.find(what);
  while (at != npos) {
    s.erase(at, what.size());
    at = s.find(what, at);
  }
}

void strip(std::string& s, char c) {
  while (!s.empty() && s.front() == c) s.erase(0, 1);
  while (!s.empty() && s.back() == c) s.pop_back();
}

}  // namespace

void linkWebAddresses(std::string& page) {
  std::string head;
  std::string body = page;
  const std::size_t b = page.find("</head>");
  if (b != npos && b > 0) {
    head = page.substr(0, b + 7);
    body = page.substr(b + 7);
  }
  std::vector<std::pair<std::size_t, std::size_t>> ranges;
  std::size_t p = 0;
  for (;;) {
    const std::size_t i = body.find("http://", p);
    if (i == npos) break;
    if (insideMarkup(body, i)) {
      p = i + 7;
      continue;
    }
    std::size_t e = body.size();
    bool last = true;
    for (std::size_t k = i + 8; k < body.size(); ++k) {
      const char c = body[k];
      if (c == '\t' || c == '\n' || c == '\r' || c == ' ' || c == '"' || c == '<') {
        e = k;
        last = false;
        break;
      }
    }
    const std::string candidate = body.substr(i, e - i);
    if (candidate.size() <= 780) {
      const std::size_t k = candidate.find("&lt;");
      if (k != npos && k > 0) e = i + k;
      ranges.emplace_back(i, e);
    }
    if (last) break;
    p = e;
  }
  for (std::size_t n = ranges.size(); n-- > 0;) {
    const std::size_t i = ranges[n].first;
    const std::size_t e = ranges[n].second;
    const std::string u = body.substr(i, e - i);
    body = body.substr(0, i) + "<A TARGET=_blank HREF=\"" + u + "\">" + u + "</A>" + body.substr(e);
  }
  page = head + body;
}

void insertBookmarkAnchors(std::string& page) {
  for (;;) {
    const std::size_t l = page.find("bookmark&lt;");
    if (l == npos) return;
    const std::size_t r = page.find("&gt;", l + 12);
    if (r == npos) return;
    const std::string name = page.substr(l + 12, r - l - 12);
    page = page.substr(0, l) + "<A NAME=\"" + name + "\">" + page.substr(r + 4);
  }
}

void tidyLinkTexts(std::string& page) {
  std::size_t p = 0;
  for (;;) {
    const std::string u = upperCopy(page);
    const std::size_t g = u.find("<A HREF=\"", p);
    if (g == npos) return;
    const std::size_t h = u.find('>', g + 9);
    if (h == npos) return;
    const std::size_t l = u.find("</A>", h + 1);
    if (l == npos) return;
    const std::string text = page.substr(h + 1, l - h - 1);
    std::string cleaned = text;
    removeEvery(cleaned, "<\t");
    removeEvery(cleaned, "&gt;");
    strip(cleaned, '\t');
    strip(cleaned, ' ');
    strip(cleaned, '\n');
    strip(cleaned, '\r');
    const long d = static_cast<long>(cleaned.size()) - static_cast<long>(text.size());
    p = l + 4;
    if (d < 0) {
      page = page.substr(0, h + 1) + cleaned + page.substr(l);
      p = static_cast<std::size_t>(static_cast<long>(p) + d);
    }
  }
}

}  // namespace t2c::literal
