// Match finding and lazy parsing for LZX frames.
#include "chm/lzx_matcher.h"

#include <algorithm>
#include <cstring>

namespace chm {

namespace {

constexpr int kHashBits = 15;
constexpr int kChainDepth = 24;      // candidates tried per position: keeps the speed linear
constexpr uint32_t kNiceLength = 48;  // long enough: stop searching
constexpr int kLiteralBits = 6;      // a typical literal's cost in text, for scoring

inline uint32_t hashAt(const uint8_t* p) {
  const uint32_t v = static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) |
                     (static_cast<uint32_t>(p[2]) << 16);
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

inline int lengthBits(uint32_t length) { return length >= 9 ? 6 : 0; }

}  // namespace

LzxMatcher::LzxMatcher() : head_(size_t{1} << kHashBits), chain_(65536) { startInterval(); }

void LzxMatcher::startInterval() {
  std::fill(head_.begin(), head_.end(), -1);
  inserted_ = 0;
}

void LzxMatcher::insertUpTo(size_t end) {
  end = std::min(end, end_ >= 2 ? end_ - 2 : 0);  // a hash needs three bytes at hand
  for (; inserted_ < end; ++inserted_) {
    const uint32_t h = hashAt(data_ + inserted_);
    chain_[inserted_] = head_[h];
    head_[h] = static_cast<int32_t>(inserted_);
  }
}

LzxMatcher::Candidate LzxMatcher::best(size_t at, const uint32_t repeats[3]) {
  Candidate found;
  const uint32_t limit = static_cast<uint32_t>(std::min<size_t>(kLzxMaxMatch, end_ - at));
  if (limit < kLzxMinMatch) return found;
  const uint8_t* here = data_ + at;
  for (int k = 0; k < 3; ++k) {
    const uint32_t distance = repeats[k];
    if (distance > at) continue;
    const uint32_t length = matchLength(here, here - distance, limit);
    if (length < kLzxMinMatch) continue;
    const int score = static_cast<int>(length) * kLiteralBits - (7 + k + lengthBits(length));
    if (score > found.score) found = {length, distance, score};
  }
  if (found.length >= kNiceLength || limit < 3 || at + 3 > end_) return found;
  uint32_t bestLength = 2;
  uint32_t bestDistance = 0;
  int32_t candidate = head_[hashAt(here)];
  for (int depth = kChainDepth; candidate >= 0 && depth > 0; --depth) {
    const uint32_t distance = static_cast<uint32_t>(at - static_cast<size_t>(candidate));
    if (distance > kLzxMaxDistance) break;
    const uint8_t* there = data_ + candidate;
    if (there[bestLength] == here[bestLength]) {
      const uint32_t length = matchLength(here, there, limit);
      if (length > bestLength) {
        bestLength = length;
        bestDistance = distance;
        if (length >= kNiceLength || length == limit) break;
      }
    }
    candidate = chain_[static_cast<size_t>(candidate)];
  }
  if (bestDistance) {
    const int slot = lzxSlotOf(bestDistance + 2);
    const int score = static_cast<int>(bestLength) * kLiteralBits -
                      (9 + lzxExtraBits(slot) + lengthBits(bestLength));
    if (score > found.score) found = {bestLength, bestDistance, score};
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
      current = best(at, repeats);
    }
    haveCurrent = false;
    if (current.length == 0) {
      items.push_back({interval[at], 0, 0, 0});
      ++at;
      continue;
    }
    if (current.length < kNiceLength && at + 1 < frameEnd) {
      insertUpTo(at + 1);
      const Candidate next = best(at + 1, repeats);
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
