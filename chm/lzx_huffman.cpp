// Length-limited canonical Huffman codes and the pretree coding of their lengths.
#include "chm/lzx_huffman.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <vector>

#include "chm/lzx_symbols.h"

namespace chm {

namespace {

// Huffman code lengths of symbols sorted by ascending frequency (in place over `weights`,
// Moffat and Katajainen's method): on return weights[i] is the length of the i-th symbol.
void huffmanLengthsSorted(std::vector<uint32_t>& weights) {
  const int n = static_cast<int>(weights.size());
  // Left to right: pair the two lightest of the remaining leaves and the internal nodes made so
  // far; an internal node's slot then holds its parent's index.
  weights[0] += weights[1];
  int root = 0;
  int leaf = 2;
  for (int next = 1; next < n - 1; ++next) {
    if (leaf >= n || weights[root] < weights[leaf]) {
      weights[next] = weights[root];
      weights[root++] = static_cast<uint32_t>(next);
    } else {
      weights[next] = weights[leaf++];
    }
    if (leaf >= n || (root < next && weights[root] < weights[leaf])) {
      weights[next] += weights[root];
      weights[root++] = static_cast<uint32_t>(next);
    } else {
      weights[next] += weights[leaf++];
    }
  }
  // Depths of internal nodes, then of leaves.
  weights[n - 2] = 0;
  for (int next = n - 3; next >= 0; --next) weights[next] = weights[weights[next]] + 1;
  int available = 1;
  int used = 0;
  int depth = 0;
  root = n - 2;
  int next = n - 1;
  while (available > 0) {
    while (root >= 0 && static_cast<int>(weights[root]) == depth) {
      ++used;
      --root;
    }
    while (available > used) {
      weights[next--] = static_cast<uint32_t>(depth);
      --available;
    }
    available = 2 * used;
    ++depth;
    used = 0;
  }
}

}  // namespace

void lzxBuildLengths(const uint32_t* freqs, int count, int maxLength, uint8_t* lengths) {
  std::memset(lengths, 0, static_cast<size_t>(count));
  std::vector<std::pair<uint32_t, int>> used;
  for (int i = 0; i < count; ++i)
    if (freqs[i]) used.emplace_back(freqs[i], i);
  if (used.empty()) return;
  if (used.size() == 1) {
    lengths[used[0].second] = 1;
    lengths[used[0].second == 0 ? 1 : 0] = 1;
    return;
  }
  std::sort(used.begin(), used.end());
  const int n = static_cast<int>(used.size());
  std::vector<uint32_t> depth(n);
  for (int i = 0; i < n; ++i) depth[i] = used[i].first;
  huffmanLengthsSorted(depth);
  // Count codes per length, fold the too long ones into the longest allowed, then give up code
  // space from shorter codes until the Kraft sum is exactly one again.
  std::vector<int> perLength(std::max<int>(maxLength, static_cast<int>(depth[0])) + 1, 0);
  for (uint32_t d : depth) ++perLength[std::min<int>(static_cast<int>(d), maxLength)];
  uint64_t kraft = 0;
  for (int len = 1; len <= maxLength; ++len)
    kraft += static_cast<uint64_t>(perLength[len]) << (maxLength - len);
  while (kraft > (uint64_t{1} << maxLength)) {
    --perLength[maxLength];
    for (int len = maxLength - 1; len > 0; --len) {
      if (perLength[len]) {
        --perLength[len];
        perLength[len + 1] += 2;
        break;
      }
    }
    --kraft;
  }
  // Shortest codes to the most frequent symbols (the end of `used`).
  int at = n - 1;
  for (int len = 1; len <= maxLength; ++len)
    for (int k = 0; k < perLength[len]; ++k) lengths[used[at--].second] = static_cast<uint8_t>(len);
}

void lzxCanonicalCodes(const uint8_t* lengths, int count, uint16_t* codes) {
  int perLength[18] = {0};
  for (int i = 0; i < count; ++i) ++perLength[lengths[i]];
  perLength[0] = 0;
  uint32_t next[18] = {0};
  uint32_t code = 0;
  for (int len = 1; len <= 17; ++len) {
    code = (code + perLength[len - 1]) << 1;
    next[len] = code;
  }
  for (int i = 0; i < count; ++i)
    codes[i] = lengths[i] ? static_cast<uint16_t>(next[lengths[i]]++) : 0;
}

uint64_t lzxCodedBits(const uint32_t* freqs, const uint8_t* lengths, int count) {
  uint64_t total = 0;
  for (int i = 0; i < count; ++i) total += static_cast<uint64_t>(freqs[i]) * lengths[i];
  return total;
}

namespace {

struct PreOp {
  uint8_t symbol;
  uint8_t extraBits;
  uint8_t extra;
};

// How freely runs of equal non-zero lengths are sent as one difference (code 19).
enum class SameRuns { Never, OverUnequalOld, Always };

// The pretree operations that turn `previous` into `lengths`.
void planLengths(const uint8_t* lengths, const uint8_t* previous, int count, SameRuns sameRuns,
                 std::vector<PreOp>& ops) {
  auto delta = [&](int i, uint8_t value) {
    return static_cast<uint8_t>((previous[i] + 17 - value) % 17);
  };
  for (int i = 0; i < count;) {
    int run = 1;
    while (i + run < count && lengths[i + run] == lengths[i]) ++run;
    if (lengths[i] == 0 && run >= 20) {
      run = std::min(run, 51);
      ops.push_back({18, 5, static_cast<uint8_t>(run - 20)});
    } else if (lengths[i] == 0 && run >= 4) {
      run = std::min(run, 19);
      ops.push_back({17, 4, static_cast<uint8_t>(run - 4)});
    } else if (run >= 4 && sameRuns != SameRuns::Never &&
               (sameRuns == SameRuns::Always ||
                std::any_of(previous + i, previous + i + std::min(run, 5),
                            [&](uint8_t p) { return p != previous[i]; }))) {
      run = std::min(run, 5);
      ops.push_back({19, 1, static_cast<uint8_t>(run - 4)});
      ops.push_back({delta(i, lengths[i]), 0, 0});
    } else {
      run = 1;
      ops.push_back({delta(i, lengths[i]), 0, 0});
    }
    i += run;
  }
}

// The pretree for `ops` and the bits the group then takes.
size_t pretreeFor(const std::vector<PreOp>& ops, uint8_t* preLengths) {
  uint32_t freqs[kLzxPreSymbols] = {0};
  for (const PreOp& op : ops) ++freqs[op.symbol];
  lzxBuildLengths(freqs, kLzxPreSymbols, 15, preLengths);
  size_t total = 4 * kLzxPreSymbols;
  for (const PreOp& op : ops) total += preLengths[op.symbol] + op.extraBits;
  return total;
}

}  // namespace

size_t lzxWriteLengths(const uint8_t* lengths, const uint8_t* previous, int count,
                       LzxBitWriter* bits) {
  // Which runs pay depends on the pretree they lead to: try each way, keep the shortest.
  std::vector<PreOp> ops;
  std::vector<PreOp> trial;
  uint8_t preLengths[kLzxPreSymbols];
  uint8_t trialLengths[kLzxPreSymbols];
  size_t total = SIZE_MAX;
  for (SameRuns sameRuns : {SameRuns::OverUnequalOld, SameRuns::Always, SameRuns::Never}) {
    trial.clear();
    planLengths(lengths, previous, count, sameRuns, trial);
    const size_t bitsNeeded = pretreeFor(trial, trialLengths);
    if (bitsNeeded >= total) continue;
    total = bitsNeeded;
    ops.swap(trial);
    std::memcpy(preLengths, trialLengths, sizeof preLengths);
  }
  if (!bits) return total;
  uint16_t codes[kLzxPreSymbols];
  lzxCanonicalCodes(preLengths, kLzxPreSymbols, codes);
  for (uint8_t len : preLengths) bits->put(len, 4);
  for (const PreOp& op : ops) {
    bits->put(codes[op.symbol], preLengths[op.symbol]);
    if (op.extraBits) bits->put(op.extra, op.extraBits);
  }
  return total;
}

}  // namespace chm
