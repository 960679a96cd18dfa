// Finds the matches of an LZX frame: hash chains over the current reset interval, the three
// repeated offsets, and lazy evaluation one position on, each position's search bounded.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "chm/lzx_symbols.h"

namespace chm {

class LzxMatcher {
 public:
  LzxMatcher();

  // Forgets every earlier position: matches never reach before a reset.
  void startInterval();
  // Prices literals and matches like the codes of the block just written (`items` under
  // `mainLengths` and `lengthLengths`), so that the next frames choose matches that pay.
  void learnCosts(const uint8_t* mainLengths, const uint8_t* lengthLengths, const LzxItem* items,
                  size_t count);
  // Turns interval[frameStart, frameEnd) into items; earlier bytes of the interval serve as
  // history. `repeats` holds R0, R1, R2 and is updated as the decoder would.
  void parseFrame(const uint8_t* interval, size_t frameStart, size_t frameEnd, uint32_t repeats[3],
                  std::vector<LzxItem>& items);

 private:
  struct Candidate {
    uint32_t length = 0;
    uint32_t distance = 0;
    int score = 0;  // bits saved against literals, roughly
  };

  Candidate best(size_t at, const uint32_t repeats[3], int depth);
  void insertUpTo(size_t end);
  static void emitMatch(const Candidate& match, uint32_t repeats[3], std::vector<LzxItem>& items);

  int matchCost(int slot, uint32_t length) const;  // in eighths of a bit

  int literalCost_ = 6 * 8;  // an average literal, in eighths of a bit
  uint8_t mainCost_[kLzxMainSymbols];
  uint8_t lengthCost_[kLzxLengthSymbols];
  // Interval positions (they fit 16 bits; the last two are never inserted, so 0xFFFF is free).
  std::vector<uint16_t> head_;
  std::vector<uint16_t> chain_;  // previous position with the same hash, per interval position
  const uint8_t* data_ = nullptr;
  size_t end_ = 0;       // end of the frame being parsed
  size_t inserted_ = 0;  // positions below this are in the chains
};

}  // namespace chm
