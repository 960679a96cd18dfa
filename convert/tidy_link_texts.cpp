// Cleans the texts of hyperlinks in pages made from RTF, where the converter leaves tabs and breaks.
#include <cstddef>
#include <string>
#include <string_view>

#include "convert/html_passes.h"

namespace t2c {
namespace {

constexpr std::size_t npos = std::string_view::npos;

// Upper case, as the tags are matched in any letter case.
constexpr std::string_view kHyperlinkOpen = "<A HREF=\"";
constexpr std::string_view kHyperlinkClose = "</A>";

char upper(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

std::size_t findIgnoringCase(std::string_view page, std::string_view upperNeedle, std::size_t from) {
  if (upperNeedle.size() > page.size()) return npos;
  const std::size_t lastStart = page.size() - upperNeedle.size();
  // Both needles start with '<', which has no case: a plain search for it does most of the work.
  for (std::size_t at = page.find(upperNeedle[0], from); at != npos && at <= lastStart;
       at = page.find(upperNeedle[0], at + 1)) {
    std::size_t n = 1;
    while (n < upperNeedle.size() && upper(page[at + n]) == upperNeedle[n]) ++n;
    if (n == upperNeedle.size()) return at;
  }
  return npos;
}

void removeEvery(std::string& text, std::string_view what) {
  std::string kept;
  kept.reserve(text.size());
  std::size_t copied = 0;
  for (std::size_t at = text.find(what); at != npos; at = text.find(what, at + what.size())) {
    kept.append(text, copied, at - copied);
    copied = at + what.size();
  }
  if (copied == 0) return;
  kept.append(text, copied, npos);
  text.swap(kept);
}

// Only this character is taken off the ends; others found behind it stay.
void stripEnds(std::string& text, char c) {
  const std::size_t begin = text.find_first_not_of(c);
  if (begin == npos) {
    text.clear();
    return;
  }
  text.erase(text.find_last_not_of(c) + 1);
  text.erase(0, begin);
}

std::string cleanLinkText(std::string_view original) {
  std::string text(original);
  removeEvery(text, "<\t");
  removeEvery(text, "&gt;");
  stripEnds(text, '\t');
  stripEnds(text, ' ');
  stripEnds(text, '\n');
  stripEnds(text, '\r');
  return text;
}

}  // namespace

// A link's text only ever shrinks and the next search starts behind its "</A>", so the rest of
// the page is unchanged by a rewrite: one forward scan over the original gives the same result
// as rescanning the rewritten page after every link.
void tidyLinkTexts(std::string& page) {
  const std::string_view src = page;
  std::string out;
  std::size_t copied = 0;
  std::size_t p = 0;
  for (;;) {
    const std::size_t g = findIgnoringCase(src, kHyperlinkOpen, p);
    if (g == npos) break;
    const std::size_t h = src.find('>', g + kHyperlinkOpen.size());
    if (h == npos) break;
    const std::size_t l = findIgnoringCase(src, kHyperlinkClose, h + 1);
    if (l == npos) break;
    const std::string_view text = src.substr(h + 1, l - h - 1);
    const std::string cleaned = cleanLinkText(text);
    if (cleaned.size() < text.size()) {
      if (out.empty()) out.reserve(src.size());
      out.append(src.substr(copied, h + 1 - copied));
      out.append(cleaned);
      copied = l;
    }
    p = l + kHyperlinkClose.size();
  }
  if (copied == 0) return;
  out.append(src.substr(copied));
  page.swap(out);
}

}  // namespace t2c
