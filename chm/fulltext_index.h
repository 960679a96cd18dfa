// The full-text search index: words gathered page by page, written out as `/$FIftiMain`.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "chm/byte_sink.h"
#include "chm/page_words.h"

namespace chm {

// Memory grows with the distinct words and with their occurrences coded as the file stores them
// (a few bits each); a page's own words are held only until the next page starts.
class FullTextIndex : public WordSink {
 public:
  FullTextIndex();
  ~FullTextIndex() override;

  // The words that follow belong to this topic; topics come in ascending order.
  void beginTopic(uint32_t topic);
  void word(const std::string& word, uint32_t location, bool inTitle) override;

  // Lays the index out; call once, after the last topic. Returns the file's size.
  uint64_t layOut(uint32_t documents, uint32_t codePage, uint32_t lcid);
  // Writes the file laid out; its word lists are spent afterwards. False when `out` failed.
  bool write(ByteSink& out);

  // How readers code numbers in the word lists: the "root" of each scale-2 code.
  static constexpr int kDocumentRoot = 1, kCountRoot = 1, kLocationRoot = 4;

 private:
  struct Posting {
    std::string codes;  // whole-byte records, one per topic
    uint32_t documents = 0;
    uint32_t lastTopic = 0;
  };
  struct Word {
    uint32_t text;  // offset in text_
    uint8_t length;
    uint32_t hash;
    int32_t posting[2] = {-1, -1};  // body, title
  };
  struct Node {
    uint64_t offset;
    std::string bytes;
  };

  uint32_t wordId(const std::string& word);
  void flushTopic();
  // The leaf entry of the `at`-th word in file order.
  std::string leafEntry(size_t at, const std::string& previous, uint32_t codesOffset) const;
  std::string wordText(uint32_t id) const { return text_.substr(words_[id].text, words_[id].length); }

  std::string text_;
  std::vector<Word> words_;
  std::vector<uint32_t> slots_;  // open addressing: word id + 1, 0 when free
  std::vector<Posting> postings_;
  std::vector<uint32_t> postingWord_;
  uint32_t topic_ = 0;
  bool inTopic_ = false;
  std::vector<std::pair<uint32_t, uint32_t>> pending_;  // posting, location of the current topic
  uint64_t occurrences_ = 0, occurrenceBytes_ = 0;

  // The layout: postings in file order, where each leaf starts in that order, and the nodes.
  std::vector<uint32_t> order_;
  std::vector<size_t> leafStarts_;
  std::vector<Node> leaves_, branches_;
  std::string header_;
};

}  // namespace chm
