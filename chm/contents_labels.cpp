// Reads the name and page of every entry of a contents file's sitemap objects.
#include "chm/contents_labels.h"
#include "chm/ascii_text.h"

#include <algorithm>

#include "chm/help_project.h"

namespace chm {
namespace {

size_t findNoCase(const std::string& text, const char* what, size_t from, size_t end) {
  const std::string wanted = what;
  for (size_t at = from; at + wanted.size() <= end; ++at) {
    size_t i = 0;
    while (i < wanted.size() && asciiLower(text[at + i]) == wanted[i]) ++i;
    if (i == wanted.size()) return at;
  }
  return std::string::npos;
}

// The value of attribute `name` in the tag text [from, end); empty when absent.
std::string attribute(const std::string& text, const char* name, size_t from, size_t end) {
  const std::string wanted = std::string(name);
  for (size_t at = findNoCase(text, name, from, end); at != std::string::npos;
       at = findNoCase(text, name, at + 1, end)) {
    if (at > from && text[at - 1] != ' ' && text[at - 1] != '\t' && text[at - 1] != '\r' && text[at - 1] != '\n')
      continue;
    size_t i = at + wanted.size();
    while (i < end && (text[i] == ' ' || text[i] == '\t')) ++i;
    if (i >= end || text[i] != '=') continue;
    ++i;
    while (i < end && (text[i] == ' ' || text[i] == '\t')) ++i;
    if (i < end && (text[i] == '"' || text[i] == '\'')) {
      const size_t close = text.find(text[i], i + 1);
      return text.substr(i + 1, (close == std::string::npos || close > end ? end : close) - i - 1);
    }
    size_t last = i;
    while (last < end && text[last] != ' ' && text[last] != '>' && text[last] != '\t') ++last;
    return text.substr(i, last - i);
  }
  return std::string();
}

// The text with &amp; &lt; &gt; &quot; &apos; and ASCII numeric references read.
std::string unescaped(const std::string& value) {
  static const std::pair<const char*, char> kNamed[] = {
      {"amp;", '&'}, {"lt;", '<'}, {"gt;", '>'}, {"quot;", '"'}, {"apos;", '\''}};
  std::string out;
  for (size_t i = 0; i < value.size(); ++i) {
    if (value[i] != '&') {
      out.push_back(value[i]);
      continue;
    }
    bool replaced = false;
    for (const auto& [name, c] : kNamed)
      if (value.compare(i + 1, std::string(name).size(), name) == 0) {
        out.push_back(c);
        i += std::string(name).size();
        replaced = true;
        break;
      }
    if (!replaced && i + 2 < value.size() && value[i + 1] == '#') {
      size_t j = i + 2;
      unsigned number = 0;
      while (j < value.size() && j < i + 6 && value[j] >= '0' && value[j] <= '9') number = number * 10 + (value[j++] - '0');
      if (j < value.size() && value[j] == ';' && j > i + 2 && number >= 0x20 && number < 0x7F) {
        out.push_back(static_cast<char>(number));
        i = j;
        replaced = true;
      }
    }
    if (!replaced) out.push_back('&');
  }
  return out;
}

}  // namespace

std::map<std::string, std::string> contentsLabels(const std::string& hhc) {
  std::map<std::string, std::string> labels;
  size_t next = findNoCase(hhc, "<object", 0, hhc.size());
  while (next != std::string::npos) {
    const size_t object = next;
    // An object ends at its closing tag, or where the next one starts when that is missing.
    next = findNoCase(hhc, "<object", object + 7, hhc.size());
    const size_t limit = next == std::string::npos ? hhc.size() : next;
    size_t end = findNoCase(hhc, "</object", object, limit);
    if (end == std::string::npos) end = limit;
    std::string label, local;
    for (size_t param = findNoCase(hhc, "<param", object, end); param != std::string::npos;
         param = findNoCase(hhc, "<param", param + 6, end)) {
      const size_t close = static_cast<size_t>(
          std::find(hhc.begin() + static_cast<std::ptrdiff_t>(param), hhc.begin() + static_cast<std::ptrdiff_t>(end), '>') -
          hhc.begin());
      const std::string name = asciiLowered(attribute(hhc, "name", param + 6, close));
      if (name == "name" && label.empty()) label = unescaped(attribute(hhc, "value", param + 6, close));
      if (name == "local" && local.empty()) local = unescaped(attribute(hhc, "value", param + 6, close));
    }
    local = local.substr(0, local.find('#'));
    if (label.empty() || local.empty() || local.find(':') != std::string::npos) continue;
    const std::string stored = storedName(local);
    if (!stored.empty()) labels.emplace(asciiLowered(stored), label);
  }
  return labels;
}

}  // namespace chm
