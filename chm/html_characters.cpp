// Encodings and character references of pages, read by the tables the converter's code pages keep.
#include "chm/html_characters.h"
#include "chm/ascii_text.h"

#include <algorithm>
#include <cctype>
#include <unordered_map>

namespace chm {
namespace {

// The Latin-1 references name U+00A0 to U+00FF in order.
const char* const kLatin1Names[96] = {
    "nbsp", "iexcl", "cent", "pound", "curren", "yen", "brvbar", "sect", "uml", "copy", "ordf", "laquo",
    "not", "shy", "reg", "macr", "deg", "plusmn", "sup2", "sup3", "acute", "micro", "para", "middot",
    "cedil", "sup1", "ordm", "raquo", "frac14", "frac12", "frac34", "iquest", "Agrave", "Aacute", "Acirc",
    "Atilde", "Auml", "Aring", "AElig", "Ccedil", "Egrave", "Eacute", "Ecirc", "Euml", "Igrave", "Iacute",
    "Icirc", "Iuml", "ETH", "Ntilde", "Ograve", "Oacute", "Ocirc", "Otilde", "Ouml", "times", "Oslash",
    "Ugrave", "Uacute", "Ucirc", "Uuml", "Yacute", "THORN", "szlig", "agrave", "aacute", "acirc", "atilde",
    "auml", "aring", "aelig", "ccedil", "egrave", "eacute", "ecirc", "euml", "igrave", "iacute", "icirc",
    "iuml", "eth", "ntilde", "ograve", "oacute", "ocirc", "otilde", "ouml", "divide", "oslash", "ugrave",
    "uacute", "ucirc", "uuml", "yacute", "thorn", "yuml"};

// The Greek capitals' references name U+0391 to U+03A9 in order; the small letters' names start
// with a lower-case letter and name U+03B1 onwards.
const char* const kGreekNames[25] = {"Alpha", "Beta", "Gamma", "Delta", "Epsilon", "Zeta", "Eta", "Theta", "Iota",
                                     "Kappa", "Lambda", "Mu", "Nu", "Xi", "Omicron", "Pi", "Rho", nullptr, "Sigma",
                                     "Tau", "Upsilon", "Phi", "Chi", "Psi", "Omega"};

const std::pair<const char*, char32_t> kOtherNames[] = {
    {"quot", '"'}, {"amp", '&'}, {"lt", '<'}, {"gt", '>'}, {"apos", '\''}, {"OElig", 0x152}, {"oelig", 0x153},
    {"Scaron", 0x160}, {"scaron", 0x161}, {"Yuml", 0x178}, {"fnof", 0x192}, {"circ", 0x2C6}, {"tilde", 0x2DC},
    {"sigmaf", 0x3C2}, {"thetasym", 0x3D1}, {"upsih", 0x3D2}, {"piv", 0x3D6}, {"ensp", 0x2002},
    {"emsp", 0x2003}, {"thinsp", 0x2009}, {"zwnj", 0x200C}, {"zwj", 0x200D}, {"lrm", 0x200E}, {"rlm", 0x200F},
    {"ndash", 0x2013}, {"mdash", 0x2014}, {"lsquo", 0x2018}, {"rsquo", 0x2019}, {"sbquo", 0x201A},
    {"ldquo", 0x201C}, {"rdquo", 0x201D}, {"bdquo", 0x201E}, {"dagger", 0x2020}, {"Dagger", 0x2021},
    {"bull", 0x2022}, {"hellip", 0x2026}, {"permil", 0x2030}, {"prime", 0x2032}, {"Prime", 0x2033},
    {"lsaquo", 0x2039}, {"rsaquo", 0x203A}, {"euro", 0x20AC}, {"trade", 0x2122}};

const std::unordered_map<std::string, char32_t>& namedReferences() {
  static const std::unordered_map<std::string, char32_t> names = [] {
    std::unordered_map<std::string, char32_t> made;
    for (char32_t i = 0; i < 96; ++i) made.emplace(kLatin1Names[i], 0xA0 + i);
    for (char32_t i = 0; i < 25; ++i) {
      if (!kGreekNames[i]) continue;
      std::string small = kGreekNames[i];
      small[0] = asciiLower(small[0]);
      made.emplace(kGreekNames[i], 0x391 + i);
      made.emplace(small, 0x3B1 + i);
    }
    for (const auto& [name, c] : kOtherNames) made.emplace(name, c);
    return made;
  }();
  return names;
}

int digitValue(char c, bool hex) {
  if (c >= '0' && c <= '9') return c - '0';
  c = asciiLower(c);
  if (hex && c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

struct CharsetName {
  const char* name;
  unsigned codePage;
};

const CharsetName kCharsets[] = {
    {"utf-8", 65001}, {"utf8", 65001}, {"shift_jis", 932}, {"shift-jis", 932}, {"sjis", 932},
    {"x-sjis", 932}, {"ms_kanji", 932}, {"csshiftjis", 932}, {"windows-31j", 932}, {"cp932", 932},
    {"gb2312", 936}, {"gbk", 936}, {"x-gbk", 936}, {"cp936", 936}, {"euc-cn", 936}, {"csgb2312", 936},
    {"big5", 950}, {"cp950", 950}, {"big5-hkscs", 950}, {"x-x-big5", 950}, {"euc-kr", 949},
    {"ks_c_5601-1987", 949}, {"cp949", 949}, {"korean", 949}, {"koi8-r", 20866}, {"koi8-u", 21866},
    {"tis-620", 874}, {"iso-8859-11", 874}, {"windows-874", 874}, {"cp874", 874}, {"us-ascii", 1252},
    {"ascii", 1252}, {"iso-8859-1", 1252}, {"latin1", 1252}, {"iso-8859-15", 28605}, {"ibm866", 866},
    {"cp866", 866}, {"x-mac-cyrillic", 10007}, {"macintosh", 10000}};

void appendUtf8(char32_t c, std::string& out) {
  if (c < 0x800) {
    out.push_back(static_cast<char>(0xC0 | (c >> 6)));
  } else {
    if (c < 0x10000) {
      out.push_back(static_cast<char>(0xE0 | (c >> 12)));
    } else {
      out.push_back(static_cast<char>(0xF0 | (c >> 18)));
      out.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
    }
    out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
  }
  out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
}

}  // namespace

unsigned codePageOfCharset(const std::string& given) {
  std::string name;
  for (char c : given) name.push_back(asciiLower(c));
  for (const CharsetName& known : kCharsets)
    if (name == known.name) return known.codePage;
  for (const char* prefix : {"windows-", "x-cp", "cp"}) {
    const std::string p = prefix;
    if (name.compare(0, p.size(), p) == 0 && name.size() == p.size() + 4) {
      const std::string number = name.substr(p.size());
      if (number >= "1250" && number <= "1258") return static_cast<unsigned>(std::stoul(number));
    }
  }
  if (name.compare(0, 9, "iso-8859-") == 0 && name.size() == 10 && name[9] >= '2' && name[9] <= '9')
    return 28590 + static_cast<unsigned>(name[9] - '0');
  return 0;
}

unsigned declaredCodePage(const std::string& html) {
  const size_t end = std::min<size_t>(html.size(), 64 * 1024);
  for (size_t meta = html.find('<'); meta < end; meta = html.find('<', meta + 1)) {
    if (end - meta < 6) break;
    const char* tag = "<meta";
    size_t i = 1;
    while (i < 5 && asciiLower(html[meta + i]) == tag[i]) ++i;
    if (i < 5) continue;
    const size_t stop = static_cast<size_t>(std::find(html.begin() + static_cast<std::ptrdiff_t>(meta),
                                                      html.begin() + static_cast<std::ptrdiff_t>(end), '>') -
                                            html.begin());
    for (size_t at = meta + 5; at + 7 < stop; ++at) {
      if (asciiLower(html[at]) != 'c' || asciiLower(html[at + 1]) != 'h' || asciiLower(html[at + 2]) != 'a' ||
          asciiLower(html[at + 3]) != 'r' || asciiLower(html[at + 4]) != 's' || asciiLower(html[at + 5]) != 'e' ||
          asciiLower(html[at + 6]) != 't')
        continue;
      size_t value = at + 7;
      while (value < stop && (html[value] == ' ' || html[value] == '=' || html[value] == '"' || html[value] == '\''))
        ++value;
      size_t last = value;
      while (last < stop && (isalnum(static_cast<unsigned char>(html[last])) || html[last] == '-' ||
                             html[last] == '_' || html[last] == '.' || html[last] == ':'))
        ++last;
      return codePageOfCharset(html.substr(value, last - value));
    }
  }
  return 0;
}

char32_t readReference(const std::string& html, size_t at, size_t& end) {
  if (at >= html.size()) return kNoCharacter;
  if (html[at] == '#') {
    const bool hex = at + 1 < html.size() && asciiLower(html[at + 1]) == 'x';
    size_t i = at + (hex ? 2 : 1);
    uint32_t value = 0;
    size_t digits = 0;
    for (int d; i < html.size() && (d = digitValue(html[i], hex)) >= 0; ++i, ++digits)
      if (value <= 0x10FFFF) value = value * (hex ? 16 : 10) + static_cast<uint32_t>(d);
    if (digits == 0) return kNoCharacter;
    end = (i < html.size() && html[i] == ';') ? i + 1 : i;
    if (value >= 0x80 && value < 0xA0) value = irun::windows1252High(static_cast<uint8_t>(value));
    return (value == 0 || value > 0x10FFFF || (value >= 0xD800 && value < 0xE000)) ? irun::kReplacement : value;
  }
  size_t i = at;
  while (i < html.size() && i - at < 10 && isalnum(static_cast<unsigned char>(html[i]))) ++i;
  if (i == at || i >= html.size() || html[i] != ';') return kNoCharacter;
  const auto& names = namedReferences();
  const auto found = names.find(html.substr(at, i - at));
  if (found == names.end()) return kNoCharacter;
  end = i + 1;
  return found->second;
}

char32_t PageDecoder::nextInCodePage(const std::string& bytes, size_t& at) const {
  const uint8_t b = static_cast<uint8_t>(bytes[at]);
  if (page_->isLead(b) && at + 1 < bytes.size()) {
    const uint8_t trail = static_cast<uint8_t>(bytes[at + 1]);
    if (trail >= 0x40) {
      at += 2;
      return page_->decodePair(b, trail);
    }
  }
  ++at;
  return page_->decodeByte(b);
}

char32_t PageDecoder::nextUtf8(const std::string& bytes, size_t& at) {
  const uint8_t b = static_cast<uint8_t>(bytes[at]);
  const int extra = b >= 0xF0 && b < 0xF5 ? 3 : b >= 0xE0 ? 2 : b >= 0xC2 && b < 0xE0 ? 1 : -1;
  if (extra < 0 || b >= 0xF5 || at + static_cast<size_t>(extra) >= bytes.size()) {
    ++at;
    return irun::kReplacement;
  }
  char32_t c = b & (0x3F >> extra);
  for (int k = 1; k <= extra; ++k) {
    const uint8_t next = static_cast<uint8_t>(bytes[at + static_cast<size_t>(k)]);
    if ((next & 0xC0) != 0x80) {
      ++at;
      return irun::kReplacement;
    }
    c = c << 6 | (next & 0x3F);
  }
  const char32_t least[] = {0, 0x80, 0x800, 0x10000};
  at += static_cast<size_t>(extra) + 1;
  return (c < least[extra] || c > 0x10FFFF || (c >= 0xD800 && c < 0xE000)) ? irun::kReplacement : c;
}

bool WordEncoder::append(char32_t c, std::string& out) {
  if (c < 0x80) {
    out.push_back(static_cast<char>(c));
    return true;
  }
  if (!page_) {
    appendUtf8(c, out);
    return true;
  }
  if (c >= 0x10000) return page_->encode(c, out);
  uint16_t& slot = cache_[c];
  if (slot == 0) {
    std::string bytes;
    slot = kUnmapped;
    if (page_->encode(c, bytes) && (bytes.size() == 1 || (bytes.size() == 2 && static_cast<uint8_t>(bytes[0]) < 0xFF)))
      slot = static_cast<uint16_t>(bytes.size() == 1 ? static_cast<uint8_t>(bytes[0])
                                                     : static_cast<uint8_t>(bytes[0]) << 8 | static_cast<uint8_t>(bytes[1]));
  }
  if (slot == kUnmapped) return false;
  if (slot >= 0x100) out.push_back(static_cast<char>(slot >> 8));
  out.push_back(static_cast<char>(slot & 0xFF));
  return true;
}

}  // namespace chm
