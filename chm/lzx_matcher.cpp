// Match finding and lazy parsing for LZX frames, priced by the codes of the last block.
#include "chm/lzx_matcher.h"

#include <algorithm>
#include <cstring>

namespace chm {

namespace {

constexpr int kHashBits = 16;
constexpr int kChainDepth = 16;  // candidates tried per position: keeps the speed linear
// Chains hash four bytes: three-byte matches far back rarely pay for their offset, and skipping
// them keeps the chains short (smaller and faster on prose than three-byte hashing).
constexpr uint32_t kNiceLength = 257;  // long enough: stop searching
constexpr uint32_t kLazyLimit = 64;    // a match this long is taken without looking further
constexpr uint32_t kGoodLength = 32;   // with a match this long, look further only briefly
constexpr uint16_t kNoPosition = 0xFFFF;
constexpr uint8_t kUnusedCost = 12;    // a symbol the last block did not use, in bits

inline uint32_t hashAt(const uint8_t* p) {
  uint32_t v;
  std::memcpy(&v, p, 4);
  return (v * 2654435761u) >> (32 - kHashBits);
}

inline uint32_t matchLength(const uint8_t* a, const uint8_t* b, uint32_t limit) {
  uint32_t len = 0;
  while (len + 8 <= limit) {
    uint64_t x;
    uint64_t y;
    std::memcpy(&x, a + len, 8);
    std::memcpy(&y, b + len, 8);
    if (x != y) return len + static_cast<uint32_t>(__builtin_ctzll(x ^ y) >> 3);
    len += 8;
  }
  while (len < limit && a[len] == b[len]) ++len;
  return len;
}

}  // namespace

LzxMatcher::LzxMatcher() : head_(size_t{1} << kHashBits), chain_(65536) {
  // Before any block: text-like prices.
  for (int i = 0; i < kLzxMainSymbols; ++i)
    mainCost_[i] = static_cast<uint8_t>(i < 256 ? 6 : (i >> 3) - 32 < 3 ? 7 + ((i >> 3) - 32) : 9);
  std::fill(std::begin(lengthCost_), std::end(lengthCost_), 6);
  startInterval();
}

void LzxMatcher::learnCosts(const uint8_t* mainLengths, const uint8_t* lengthLengths,
                            const LzxItem* items, size_t count) {
  uint64_t literalBits = 0;
  uint64_t literals = 0;
  for (size_t i = 0; i < count; ++i) {
    if (items[i].main < 256) {
      literalBits += mainLengths[items[i].main];
      ++literals;
    }
  }
  if (literals) literalCost_ = static_cast<int>(literalBits * 8 / literals);
  for (int i = 0; i < kLzxMainSymbols; ++i) mainCost_[i] = mainLengths[i] ? mainLengths[i] : kUnusedCost;
  for (int i = 0; i < kLzxLengthSymbols; ++i)
    lengthCost_[i] = lengthLengths[i] ? lengthLengths[i] : kUnusedCost;
}

int LzxMatcher::matchCost(int slot, uint32_t length) const {
  const uint32_t header = std::min<uint32_t>(length - kLzxMinMatch, 7);
  int bits = mainCost_[256 + slot * 8 + header] + lzxExtraBits(slot);
  if (header == 7) bits += lengthCost_[std::min<uint32_t>(length - 9, kLzxLengthSymbols - 1)];
  return bits * 8;
}

void LzxMatcher::startInterval() {
  std::fill(head_.begin(), head_.end(), kNoPosition);
  inserted_ = 0;
}

void LzxMatcher::insertUpTo(size_t end) {
  end = std::min(end, end_ >= 3 ? end_ - 3 : 0);  // a hash needs four bytes at hand
  for (; inserted_ < end; ++inserted_) {
    const uint32_t h = hashAt(data_ + inserted_);
    chain_[inserted_] = head_[h];
    head_[h] = static_cast<uint16_t>(inserted_);
  }
}

LzxMatcher::Candidate LzxMatcher::best(size_t at, const uint32_t repeats[3], int depth) {
  Candidate found;
  const uint32_t limit = static_cast<uint32_t>(std::min<size_t>(kLzxMaxMatch, end_ - at));
  if (limit < kLzxMinMatch) return found;
  const uint8_t* here = data_ + at;
  for (int k = 0; k < 3; ++k) {
    const uint32_t distance = repeats[k];
    if (distance > at || here[0] != here[-static_cast<ptrdiff_t>(distance)] ||
        here[1] != here[1 - static_cast<ptrdiff_t>(distance)])
      continue;
    const uint32_t length = matchLength(here, here - distance, limit);
    if (length < kLzxMinMatch) continue;
    const int score = static_cast<int>(length) * literalCost_ - matchCost(k, length);
    if (score > found.score) found = {length, distance, score};
  }
  if (found.length >= kNiceLength || limit < 4 || at + 4 > end_) return found;
  // Longer is not always better: a far match may cost more than the bytes it adds save.
  uint32_t longest = 2;
  uint32_t candidate = head_[hashAt(here)];
  for (; candidate != kNoPosition && depth > 0; --depth) {
    const uint32_t distance = static_cast<uint32_t>(at - candidate);
    if (distance > kLzxMaxDistance) break;
    const uint8_t* there = data_ + candidate;
    const uint32_t next = chain_[candidate];  // loaded early: it does not wait for the compare
    if (there[longest] == here[longest]) {
      const uint32_t length = matchLength(here, there, limit);
      if (length > longest) {
        if (length >= kGoodLength && longest < kGoodLength) depth >>= 2;
        longest = length;
        const int score = static_cast<int>(length) * literalCost_ -
                          matchCost(lzxSlotOf(distance + 2), length);
        if (score > found.score) found = {length, distance, score};
        if (length >= kNiceLength || length == limit) break;
      }
    }
    candidate = next;
  }
  return found;
}

void LzxMatcher::emitMatch(const Candidate& match, uint32_t repeats[3],
                           std::vector<LzxItem>& items) {
  LzxItem item{};
  int slot;
  if (match.distance == repeats[0]) {
    slot = 0;
  } else if (match.distance == repeats[1]) {
    slot = 1;
    std::swap(repeats[0], repeats[1]);
  } else if (match.distance == repeats[2]) {
    slot = 2;
    std::swap(repeats[0], repeats[2]);
  } else {
    const uint32_t formatted = match.distance + 2;
    slot = lzxSlotOf(formatted);
    item.footerBits = static_cast<uint8_t>(lzxExtraBits(slot));
    item.footer = formatted - lzxSlotBase(slot);
    repeats[2] = repeats[1];
    repeats[1] = repeats[0];
    repeats[0] = match.distance;
  }
  const uint32_t header = std::min<uint32_t>(match.length - kLzxMinMatch, 7);
  item.main = static_cast<uint16_t>(256 + slot * 8 + header);
  if (header == 7) item.lengthSymbol = static_cast<uint8_t>(match.length - 9);
  items.push_back(item);
}

void LzxMatcher::parseFrame(const uint8_t* interval, size_t frameStart, size_t frameEnd,
                            uint32_t repeats[3], std::vector<LzxItem>& items) {
  data_ = interval;
  end_ = frameEnd;
  size_t at = frameStart;
  Candidate current;
  bool haveCurrent = false;
  while (at < frameEnd) {
    if (!haveCurrent) {
      insertUpTo(at);
      current = best(at, repeats, kChainDepth);
    }
    haveCurrent = false;
    if (current.length == 0) {
      items.push_back({interval[at], 0, 0, 0});
      ++at;
      continue;
    }
    if (current.length < kLazyLimit && at + 1 < frameEnd) {
      insertUpTo(at + 1);
      const Candidate next =
          best(at + 1, repeats, current.length >= kGoodLength ? kChainDepth / 4 : kChainDepth / 2);
      if (next.score > current.score) {
        items.push_back({interval[at], 0, 0, 0});
        ++at;
        current = next;
        haveCurrent = true;
        continue;
      }
    }
    emitMatch(current, repeats, items);
    at += current.length;
  }
  insertUpTo(frameEnd);
}

}  // namespace chm
