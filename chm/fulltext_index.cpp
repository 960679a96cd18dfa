// Gathers each word's topics and locations as the index codes them, then lays out the word tree:
// leaves listing the words (each after the location codes of its words), index nodes above them.
#include "chm/fulltext_index.h"

#include <algorithm>
#include <cstring>

#include "chm/le_bytes.h"

namespace chm {
namespace {

constexpr size_t kNode = 4096;
constexpr size_t kHeader = 0x400;
constexpr size_t kLeafHeader = 8;
constexpr size_t kBranchHeader = 2;

uint32_t hashOf(const std::string& word) {
  uint32_t hash = 2166136261u;
  for (unsigned char c : word) hash = (hash ^ c) * 16777619u;
  return hash;
}

// Bits written most significant first into whole bytes.
class BitWriter {
 public:
  explicit BitWriter(std::string& out) : out_(out) {}
  ~BitWriter() { flush(); }
  // The low `count` (at most 32) bits of `value`.
  void put(uint32_t value, int count) {
    pending_ = pending_ << count | value;
    filled_ += count;
    while (filled_ >= 8) {
      filled_ -= 8;
      out_.push_back(static_cast<char>(pending_ >> filled_));
    }
    pending_ &= (uint64_t{1} << filled_) - 1;
  }
  // The scale-2 code with root `root`: small values as a 0 bit and `root` bits, larger ones as
  // one 1 bit per bit beyond the root, a 0 bit, then the value without its leading 1.
  void code(uint32_t value, int root) {
    if (value < (1u << root)) {
      put(value, root + 1);
      return;
    }
    int bits = 1;
    while (bits < 32 && (value >> bits) != 0) ++bits;
    const int ones = bits - root;
    if (ones < 32) {
      put(((1u << ones) - 1) << 1, ones + 1);
    } else {
      put(0xFFFFFFFFu, 32);
      put(0, 1);
    }
    put(value & ((1u << (bits - 1)) - 1), bits - 1);
  }
  void flush() {
    if (filled_ == 0) return;
    out_.push_back(static_cast<char>(pending_ << (8 - filled_)));
    pending_ = 0;
    filled_ = 0;
  }

 private:
  std::string& out_;
  uint64_t pending_ = 0;  // the bits not yet in a whole byte, and those just put
  int filled_ = 0;
};

// The leaves' little-endian variant of the 7-bit integer: least significant group first.
void putLittleEncint(std::string& out, uint64_t value) {
  while (value >= 0x80) {
    out.push_back(static_cast<char>((value & 0x7F) | 0x80));
    value >>= 7;
  }
  out.push_back(static_cast<char>(value));
}

int compareWords(const char* a, size_t aSize, const char* b, size_t bSize) {
  for (size_t i = 0; i < aSize && i < bSize; ++i) {
    unsigned char x = static_cast<unsigned char>(a[i]), y = static_cast<unsigned char>(b[i]);
    if (x >= 'A' && x <= 'Z') x = static_cast<unsigned char>(x + 32);
    if (y >= 'A' && y <= 'Z') y = static_cast<unsigned char>(y + 32);
    if (x != y) return x < y ? -1 : 1;
  }
  if (aSize != bSize) return aSize < bSize ? -1 : 1;
  const int bytes = std::memcmp(a, b, aSize);
  return bytes < 0 ? -1 : bytes > 0 ? 1 : 0;
}

size_t sharedPrefix(const std::string& a, const std::string& b) {
  size_t n = 0;
  while (n < a.size() && n < b.size() && n < 255 && a[n] == b[n]) ++n;
  return n;
}

// Appends one prefix-compressed word to a node: its length byte, the shared length, the rest.
void putWord(std::string& node, const std::string& word, const std::string& previous) {
  const size_t shared = sharedPrefix(word, previous);
  node.push_back(static_cast<char>(word.size() - shared + 1));
  node.push_back(static_cast<char>(shared));
  node.append(word, shared, std::string::npos);
}

// A node of `kNode` bytes starting with its free-byte count at `at`.
std::string finishedNode(std::string node, size_t at) {
  const size_t free = kNode - node.size();
  node[at] = static_cast<char>(free & 0xFF);
  node[at + 1] = static_cast<char>(free >> 8);
  node.resize(kNode, '\0');
  return node;
}

}  // namespace

FullTextIndex::FullTextIndex() : slots_(1024, 0) {}
FullTextIndex::~FullTextIndex() = default;

uint32_t FullTextIndex::wordId(const std::string& word) {
  const uint32_t hash = hashOf(word);
  const size_t mask = slots_.size() - 1;
  for (size_t slot = hash & mask;; slot = (slot + 1) & mask) {
    const uint32_t taken = slots_[slot];
    if (taken == 0) {
      const uint32_t id = static_cast<uint32_t>(words_.size());
      words_.push_back({static_cast<uint32_t>(text_.size()), static_cast<uint8_t>(word.size()), hash});
      text_ += word;
      slots_[slot] = id + 1;
      if (words_.size() * 2 > slots_.size()) {
        std::vector<uint32_t> grown(slots_.size() * 2, 0);
        for (uint32_t w = 0; w < words_.size(); ++w) {
          size_t s = words_[w].hash & (grown.size() - 1);
          while (grown[s] != 0) s = (s + 1) & (grown.size() - 1);
          grown[s] = w + 1;
        }
        slots_.swap(grown);
      }
      return id;
    }
    const Word& w = words_[taken - 1];
    if (w.hash == hash && w.length == word.size() && text_.compare(w.text, w.length, word) == 0) return taken - 1;
  }
}

void FullTextIndex::beginTopic(uint32_t topic) {
  flushTopic();
  topic_ = topic;
  inTopic_ = true;
}

void FullTextIndex::word(const std::string& word, uint32_t location, bool inTitle) {
  if (!inTopic_ || word.empty() || word.size() > kLongestWord) return;
  const uint32_t id = wordId(word);
  ++occurrences_;
  occurrenceBytes_ += word.size();
  // Title words are body words too: readers that look a word up once find the page by either.
  for (int context = 0; context <= (inTitle ? 1 : 0); ++context) {
    int32_t& posting = words_[id].posting[context];
    if (posting < 0) {
      posting = static_cast<int32_t>(postings_.size());
      postings_.emplace_back();
      postingWord_.push_back(id);
    }
    pending_.emplace_back(static_cast<uint32_t>(posting), location);
  }
}

void FullTextIndex::flushTopic() {
  if (!inTopic_) return;
  inTopic_ = false;
  std::sort(pending_.begin(), pending_.end());
  pending_.erase(std::unique(pending_.begin(), pending_.end()), pending_.end());
  for (size_t first = 0; first < pending_.size();) {
    size_t last = first;
    while (last < pending_.size() && pending_[last].first == pending_[first].first) ++last;
    Posting& p = postings_[pending_[first].first];
    BitWriter bits(p.codes);
    bits.code(topic_ - (p.documents ? p.lastTopic : 0), kDocumentRoot);
    bits.code(static_cast<uint32_t>(last - first), kCountRoot);
    uint32_t previous = 0;
    for (size_t i = first; i < last; ++i) {
      bits.code(pending_[i].second - previous, kLocationRoot);
      previous = pending_[i].second;
    }
    ++p.documents;
    p.lastTopic = topic_;
    first = last;
  }
  pending_.clear();
}

std::string FullTextIndex::leafEntry(size_t at, const std::string& previous, uint32_t codesOffset) const {
  const uint32_t posting = order_[at];
  const Posting& p = postings_[posting];
  std::string entry;
  putWord(entry, wordText(postingWord_[posting]), previous);
  entry.push_back(words_[postingWord_[posting]].posting[1] == static_cast<int32_t>(posting) ? 1 : 0);
  putLittleEncint(entry, p.documents);
  putU32(entry, codesOffset);
  putU16(entry, 0);
  putLittleEncint(entry, p.codes.size());
  return entry;
}

uint64_t FullTextIndex::layOut(uint32_t documents, uint32_t codePage, uint32_t lcid) {
  flushTopic();
  order_.resize(postings_.size());
  for (uint32_t i = 0; i < order_.size(); ++i) order_[i] = i;
  // The order in which readers compare words: bytes with ASCII letters folded (the second byte
  // of a double-byte character may be one), then plain bytes; the body's entry before the title's.
  std::sort(order_.begin(), order_.end(), [&](uint32_t a, uint32_t b) {
    const uint32_t idA = postingWord_[a], idB = postingWord_[b];
    if (idA == idB) return words_[idA].posting[0] == static_cast<int32_t>(a);
    const Word& wa = words_[idA];
    const Word& wb = words_[idB];
    return compareWords(text_.data() + wa.text, wa.length, text_.data() + wb.text, wb.length) < 0;
  });

  // Which entries each leaf lists: as many as fit, each sharing a prefix with the one before.
  leafStarts_.assign(1, 0);
  size_t used = kLeafHeader;
  std::string previous;
  for (size_t i = 0; i < order_.size(); ++i) {
    const std::string word = wordText(postingWord_[order_[i]]);
    size_t size = leafEntry(i, used == kLeafHeader ? std::string() : previous, 0).size();
    if (used + size > kNode) {
      leafStarts_.push_back(i);
      used = kLeafHeader;
      size = leafEntry(i, std::string(), 0).size();
    }
    used += size;
    previous = word;
  }
  leafStarts_.push_back(order_.size());

  // Each leaf after its entries' location codes; the leaves linked in order.
  const size_t leafCount = leafStarts_.size() - 1;
  std::vector<uint64_t> codesAt(leafCount), leafAt(leafCount);
  uint64_t offset = kHeader;
  for (size_t k = 0; k < leafCount; ++k) {
    codesAt[k] = offset;
    for (size_t i = leafStarts_[k]; i < leafStarts_[k + 1]; ++i) offset += postings_[order_[i]].codes.size();
    leafAt[k] = offset;
    offset += kNode;
  }
  std::vector<std::string> keys;
  std::vector<uint64_t> children;
  size_t longest = 0, distinctBytes = 0, distinct = 0, lastFree = 0;
  for (size_t k = 0; k < leafCount; ++k) {
    std::string node(kLeafHeader, '\0');
    setU32(node, 0, k + 1 < leafCount ? static_cast<uint32_t>(leafAt[k + 1]) : 0);
    uint64_t codes = codesAt[k];
    previous.clear();
    for (size_t i = leafStarts_[k]; i < leafStarts_[k + 1]; ++i) {
      const std::string word = wordText(postingWord_[order_[i]]);
      node += leafEntry(i, previous, static_cast<uint32_t>(codes));
      codes += postings_[order_[i]].codes.size();
      if (word != previous || i == leafStarts_[k]) {
        longest = std::max(longest, word.size());
        distinctBytes += word.size();
        ++distinct;
      }
      previous = word;
    }
    lastFree = kNode - node.size();
    leaves_.push_back({leafAt[k], finishedNode(std::move(node), 6)});
    keys.push_back(previous);
    children.push_back(leafAt[k]);
  }

  // Index levels until one node is left: each entry names a child by its last word.
  int depth = 1;
  while (children.size() > 1) {
    std::vector<std::string> upperKeys;
    std::vector<uint64_t> upperChildren;
    std::string node(kBranchHeader, '\0');
    previous.clear();
    for (size_t i = 0; i < children.size(); ++i) {
      std::string entry;
      putWord(entry, keys[i], previous);
      putU32(entry, static_cast<uint32_t>(children[i]));
      putU16(entry, 0);
      if (node.size() + entry.size() > kNode) {
        branches_.push_back({offset, finishedNode(std::move(node), 0)});
        upperKeys.push_back(previous);
        upperChildren.push_back(offset);
        offset += kNode;
        node.assign(kBranchHeader, '\0');
        entry.clear();
        putWord(entry, keys[i], std::string());
        putU32(entry, static_cast<uint32_t>(children[i]));
        putU16(entry, 0);
      }
      node += entry;
      previous = keys[i];
    }
    branches_.push_back({offset, finishedNode(std::move(node), 0)});
    upperKeys.push_back(previous);
    upperChildren.push_back(offset);
    offset += kNode;
    keys.swap(upperKeys);
    children.swap(upperChildren);
    ++depth;
  }

  header_.clear();
  putU32(header_, 0x00280000);
  putU32(header_, documents);
  putU32(header_, static_cast<uint32_t>(children[0]));
  putU32(header_, 0);
  putU32(header_, static_cast<uint32_t>(leafCount));
  putU32(header_, static_cast<uint32_t>(children[0]));
  putU16(header_, static_cast<uint32_t>(depth));
  putU32(header_, 7);
  const int roots[3] = {kDocumentRoot, kCountRoot, kLocationRoot};
  for (int root : roots) {
    header_.push_back(2);
    header_.push_back(static_cast<char>(root));
  }
  header_.append(10, '\0');
  putU32(header_, kNode);
  putU32(header_, 0);
  putU32(header_, 0);
  putU32(header_, 0);
  putU32(header_, static_cast<uint32_t>(longest));
  putU32(header_, static_cast<uint32_t>(occurrences_));
  putU32(header_, static_cast<uint32_t>(distinct));
  putU32(header_, static_cast<uint32_t>(occurrenceBytes_));
  putU32(header_, 0);
  putU32(header_, static_cast<uint32_t>(distinctBytes));
  putU32(header_, static_cast<uint32_t>(lastFree));
  putU32(header_, 0);
  putU32(header_, documents ? documents - 1 : 0);
  header_.append(24, '\0');
  putU32(header_, codePage);
  putU32(header_, lcid);
  header_.resize(kHeader, '\0');
  return offset;
}

bool FullTextIndex::write(ByteSink& out) {
  if (!out.write(header_.data(), header_.size())) return false;
  for (size_t k = 0; k < leaves_.size(); ++k) {
    for (size_t i = leafStarts_[k]; i < leafStarts_[k + 1]; ++i) {
      std::string& codes = postings_[order_[i]].codes;
      if (!out.write(codes.data(), codes.size())) return false;
      std::string().swap(codes);
    }
    if (!out.write(leaves_[k].bytes.data(), kNode)) return false;
  }
  for (const Node& node : branches_)
    if (!out.write(node.bytes.data(), kNode)) return false;
  return true;
}

}  // namespace chm
