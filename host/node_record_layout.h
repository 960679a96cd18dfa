// Where Tessaly puts each field of the node record it hands to Export2CHM, written byte by byte:
// a 32-bit host packs pointers in 4 bytes, a 64-bit one keeps the same fields in the same order
// with pointers and handles in 8 naturally aligned bytes.
#pragma once

#include <cstddef>

namespace tly {

struct NodeRecordLayout {
  size_t icon, header, parentId, text, kind, id, size;
};

constexpr NodeRecordLayout kNodeRecord32{40, 44, 48, 52, 72, 84, 96};
constexpr NodeRecordLayout kNodeRecord64{40, 48, 56, 64, 88, 100, 112};
constexpr NodeRecordLayout kNodeRecord = sizeof(void*) == 4 ? kNodeRecord32 : kNodeRecord64;

}  // namespace tly
