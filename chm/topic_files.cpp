// Builds the string pool, topic list and URL files through which the viewer names its pages.
#include "chm/topic_files.h"

#include <algorithm>
#include <cstring>

#include "chm/le_bytes.h"

namespace chm {
namespace {

constexpr size_t kPage = 4096;
constexpr size_t kUrlRecordsPerPage = 341;  // 341 records of 12 bytes, then 4 bytes of padding
constexpr uint16_t kTitledTopic = 6;
constexpr uint16_t kUntitledTopic = 2;

char lower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c; }

bool endsWithNoCase(const std::string& text, const char* suffix) {
  size_t n = std::strlen(suffix);
  if (text.size() < n) return false;
  for (size_t i = 0; i < n; ++i)
    if (lower(text[text.size() - n + i]) != suffix[i]) return false;
  return true;
}

// The position of `tag` ("<title" or "</title") at or after `from`, letter case aside, followed by
// a character that ends a tag name; npos when there is none.
size_t findTag(const std::string& html, const char* tag, size_t from) {
  const size_t n = std::strlen(tag);
  for (size_t at = html.find('<', from); at != std::string::npos; at = html.find('<', at + 1)) {
    if (html.size() - at <= n) return std::string::npos;
    size_t i = 1;
    while (i < n && lower(html[at + i]) == tag[i]) ++i;
    if (i < n) continue;
    char after = html[at + n];
    if (after == '>' || after == '/' || after == ' ' || after == '\t' || after == '\r' || after == '\n')
      return at;
  }
  return std::string::npos;
}

// The character a reference stands for, when it is one of the common ones and a single byte in
// every ANSI code page; 0 otherwise.
char referencedCharacter(const std::string& name) {
  static const std::pair<const char*, char> kNamed[] = {
      {"amp", '&'}, {"lt", '<'}, {"gt", '>'}, {"quot", '"'}, {"apos", '\''}, {"nbsp", ' '}};
  for (const auto& [text, c] : kNamed)
    if (name == text) return c;
  if (name.size() < 2 || name[0] != '#') return 0;
  bool hex = name[1] == 'x' || name[1] == 'X';
  size_t begin = hex ? 2 : 1;
  if (begin >= name.size() || name.size() - begin > 6) return 0;
  unsigned long value = 0;
  for (size_t i = begin; i < name.size(); ++i) {
    char c = lower(name[i]);
    int digit = (c >= '0' && c <= '9') ? c - '0' : (hex && c >= 'a' && c <= 'f') ? c - 'a' + 10 : -1;
    if (digit < 0) return 0;
    value = value * (hex ? 16 : 10) + static_cast<unsigned long>(digit);
  }
  return (value >= 0x20 && value < 0x7F) ? static_cast<char>(value) : 0;
}

}  // namespace

StringPool::StringPool() : bytes_(1, '\0') {}

uint32_t StringPool::add(const std::string& text) {
  if (text.empty()) return 0;
  std::string kept = text.substr(0, std::min(text.size(), kPage - 1));
  auto found = offsets_.find(kept);
  if (found != offsets_.end()) return found->second;
  size_t room = kPage - bytes_.size() % kPage;
  if (kept.size() + 1 > room) bytes_.append(room, '\0');
  uint32_t offset = static_cast<uint32_t>(bytes_.size());
  bytes_ += kept;
  bytes_.push_back('\0');
  offsets_.emplace(std::move(kept), offset);
  return offset;
}

uint32_t urlHash(const std::string& url) {
  uint32_t hash = 0;
  for (char c : url) {
    int value = static_cast<signed char>(c);
    int weight = c == '/' ? 0x2C : value <= 'Z' ? value - 0x30 : value - 0x50;
    hash = hash * 43 + static_cast<uint32_t>(weight);
  }
  return hash == 0 ? 1 : hash;
}

TopicFiles buildTopicFiles(const std::vector<Topic>& topics, StringPool& strings) {
  TopicFiles files;
  files.urlStrings.assign(1, '\0');
  std::vector<uint32_t> urlOffsets;
  for (const Topic& topic : topics) {
    size_t record = 8 + topic.path.size() + 1;
    size_t room = kPage - files.urlStrings.size() % kPage;
    if (record > room) files.urlStrings.append(room, '\0');
    urlOffsets.push_back(static_cast<uint32_t>(files.urlStrings.size()));
    putU32(files.urlStrings, 0);
    putU32(files.urlStrings, 0);
    files.urlStrings += topic.path;
    files.urlStrings.push_back('\0');
  }

  struct UrlRecord {
    uint32_t hash, topic, urlOffset;
  };
  std::vector<UrlRecord> records;
  for (size_t i = 0; i < topics.size(); ++i)
    records.push_back({urlHash(topics[i].path), static_cast<uint32_t>(i), urlOffsets[i]});
  std::sort(records.begin(), records.end(), [](const UrlRecord& a, const UrlRecord& b) {
    return a.hash != b.hash ? a.hash < b.hash : a.topic < b.topic;
  });
  std::vector<uint32_t> tableOffsetOfTopic(topics.size());
  for (size_t i = 0; i < records.size(); ++i) {
    if (i > 0 && i % kUrlRecordsPerPage == 0) files.urlTable.append(kPage - kUrlRecordsPerPage * 12, '\0');
    tableOffsetOfTopic[records[i].topic] = static_cast<uint32_t>(files.urlTable.size());
    putU32(files.urlTable, records[i].hash);
    putU32(files.urlTable, records[i].topic);
    putU32(files.urlTable, records[i].urlOffset);
  }

  for (size_t i = 0; i < topics.size(); ++i) {
    bool titled = !topics[i].title.empty();
    putU32(files.topics, 0);
    putU32(files.topics, titled ? strings.add(topics[i].title) : kNoString);
    putU32(files.topics, tableOffsetOfTopic[i]);
    putU16(files.topics, titled ? kTitledTopic : kUntitledTopic);
    putU16(files.topics, 0);
  }
  return files;
}

std::string pageTitle(const std::string& html) {
  size_t open = findTag(html, "<title", 0);
  if (open == std::string::npos) return {};
  size_t begin = html.find('>', open);
  if (begin == std::string::npos) return {};
  ++begin;
  size_t end = findTag(html, "</title", begin);
  if (end == std::string::npos) return {};

  std::string title;
  bool blank = false;
  for (size_t i = begin; i < end; ++i) {
    char c = html[i];
    if (c == '&') {
      size_t semicolon = html.find(';', i);
      if (semicolon != std::string::npos && semicolon < end && semicolon - i <= 9) {
        char referenced = referencedCharacter(html.substr(i + 1, semicolon - i - 1));
        if (referenced != 0) {
          c = referenced;
          i = semicolon;
        }
      }
    }
    if (c == ' ' || c == '\t' || c == '\r' || c == '\n') {
      blank = !title.empty();
      continue;
    }
    if (blank) title.push_back(' ');
    blank = false;
    title.push_back(c);
  }
  return title;
}

bool isPageName(const std::string& name) {
  return endsWithNoCase(name, ".htm") || endsWithNoCase(name, ".html");
}

}  // namespace chm
