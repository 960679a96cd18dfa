// Builds the string pool, topic list and URL files through which the viewer names its pages.
#include "chm/topic_files.h"
#include "chm/ascii_text.h"

#include <algorithm>
#include <cstring>

#include "chm/le_bytes.h"

namespace chm {
namespace {

constexpr size_t kPage = 4096;
constexpr size_t kUrlRecordsPerPage = 341;  // 341 records of 12 bytes, then 4 bytes of padding
constexpr uint16_t kTitledTopic = 6;
constexpr uint16_t kUntitledTopic = 2;

bool endsWithNoCase(const std::string& text, const char* suffix) {
  size_t n = std::strlen(suffix);
  if (text.size() < n) return false;
  for (size_t i = 0; i < n; ++i)
    if (asciiLower(text[text.size() - n + i]) != suffix[i]) return false;
  return true;
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

bool isPageName(const std::string& name) {
  return endsWithNoCase(name, ".htm") || endsWithNoCase(name, ".html");
}

}  // namespace chm
