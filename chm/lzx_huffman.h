// Huffman codes for LZX blocks: complete, length-limited canonical codes, and the pretree
// coding that sends a tree's lengths as differences from the previous block's.
#pragma once

#include <cstddef>
#include <cstdint>

#include "chm/lzx_bits.h"

namespace chm {

// Code lengths (0 for unused symbols) of a complete prefix code for `count` symbols whose
// longest code is at most `maxLength`. One used symbol gets a partner of length 1, so that the
// code stays complete; no used symbol at all leaves every length 0.
void lzxBuildLengths(const uint32_t* freqs, int count, int maxLength, uint8_t* lengths);

// Canonical code values for the lengths: by length, then by symbol.
void lzxCanonicalCodes(const uint8_t* lengths, int count, uint16_t* codes);

// Bits a symbol sequence with these frequencies takes under these lengths.
uint64_t lzxCodedBits(const uint32_t* freqs, const uint8_t* lengths, int count);

// Writes `lengths[0..count)` as one pretree group: the pretree's 20 four-bit lengths, then the
// pretree-coded differences from `previous`. With `bits` null, only returns the bit count.
size_t lzxWriteLengths(const uint8_t* lengths, const uint8_t* previous, int count,
                       LzxBitWriter* bits);

}  // namespace chm
