// libFuzzer target: the search index's word splitter and the index written from its words. Any
// page in any code page gives words of sound length and bytes, and an index laid out to the byte;
// read as a contents file, it gives labels for stored page names only.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "chm/contents_labels.h"
#include "chm/fulltext_index.h"
#include "chm/help_project.h"
#include "chm/page_words.h"
#include "fuzz_input.h"

namespace {

const unsigned kCodePages[] = {1252, 1250, 1251, 1253, 1255, 1256, 874, 932, 936, 949, 950, 65001};

// Passes words on to the index after checking them.
class CheckedWords : public chm::WordSink {
 public:
  CheckedWords(chm::FullTextIndex& index, bool doubleByte) : index_(index), doubleByte_(doubleByte) {}
  void word(const std::string& word, uint32_t location, bool inTitle) override {
    if (word.empty() || word.size() > chm::kLongestWord) std::abort();
    for (char c : word) {
      const unsigned char b = static_cast<unsigned char>(c);
      // Markup, blanks and (outside double-byte characters) capitals never reach a word.
      if (b <= ' ' || c == '<' || c == '>' || c == '&' || (!doubleByte_ && c >= 'A' && c <= 'Z')) std::abort();
    }
    index_.word(word, location, inTitle);
  }

 private:
  chm::FullTextIndex& index_;
  bool doubleByte_;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzz::Input input(data, size);
  const unsigned codePage = kCodePages[input.Below(sizeof kCodePages / sizeof kCodePages[0])];
  const int pages = 1 + static_cast<int>(input.Below(3));
  const std::string html = input.Rest();
  chm::PageWords words(codePage);
  chm::FullTextIndex index;
  CheckedWords checked(index, codePage >= 932 && codePage <= 950);
  for (int n = 0; n < pages; ++n) {
    index.beginTopic(static_cast<uint32_t>(n));
    const std::string page = html.substr(html.size() * static_cast<size_t>(n) / static_cast<size_t>(pages));
    if (words.read(page, &checked) != words.read(page, nullptr)) std::abort();
  }
  const uint64_t planned = index.layOut(static_cast<uint32_t>(pages), codePage, 0x409);
  chm::MemorySink out;
  if (!index.write(out) || out.bytes.size() != planned) std::abort();
  const uint32_t root = static_cast<uint8_t>(out.bytes[0x14]) | static_cast<uint8_t>(out.bytes[0x15]) << 8 |
                        static_cast<uint8_t>(out.bytes[0x16]) << 16 | static_cast<uint32_t>(static_cast<uint8_t>(out.bytes[0x17])) << 24;
  if (root < 0x400 || root + 4096 > out.bytes.size()) std::abort();
  for (const auto& [page, label] : chm::contentsLabels(html))
    if (page.empty() || label.empty() || chm::storedName(page) != page) std::abort();
  return 0;
}
