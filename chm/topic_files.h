// The viewer's topic files: the string pool, the topic list and the URL table and strings.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace chm {

constexpr uint32_t kNoString = 0xFFFFFFFF;

// `/#STRINGS`: NUL-terminated strings referred to by offset; offset 0 is the empty string and no
// string crosses a 4096-byte page, since the viewer reads the pool page by page.
class StringPool {
 public:
  StringPool();
  // The offset of `text` (added once, however often asked); texts longer than a page are cut.
  uint32_t add(const std::string& text);
  const std::string& bytes() const { return bytes_; }
  // Appends one NUL, which no string refers to (used to nudge the section's length).
  void pad() { bytes_.push_back('\0'); }

 private:
  std::string bytes_;
  std::map<std::string, uint32_t> offsets_;
};

struct Topic {
  std::string path;   // as the directory has it, without the leading '/'
  std::string title;  // empty: the page has none
};

struct TopicFiles {
  std::string topics;  // /#TOPICS
  std::string urlTable;  // /#URLTBL
  std::string urlStrings;  // /#URLSTR
};

// One topic per page, in the order given; titles go into `strings`.
TopicFiles buildTopicFiles(const std::vector<Topic>& topics, StringPool& strings);

// The viewer's hash of a URL, by which the URL table is sorted.
uint32_t urlHash(const std::string& url);

// Whether a file's name makes it a page (a topic of its own).
bool isPageName(const std::string& name);

}  // namespace chm
