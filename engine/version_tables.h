// Per-version constants of ISO/IEC 18004 and the choice of version.
#pragma once

#include <cstdint>

#include "app_api/symbol_segments.h"

namespace qr {

// Error-correction level; also the row order of every per-level table.
enum EcLevel : int { kLevelL = 0, kLevelM = 1, kLevelQ = 2, kLevelH = 3 };

constexpr int kMinVersion = 1;
constexpr int kMaxVersion = 40;

// Error-correction block structure of one version and level (Table 9).
// Second-group blocks have one data codeword more than first-group blocks.
struct BlockLayout {
  int32_t ecTotal;           // error-correction codewords of the symbol
  int32_t shortBlocks;       // blocks in the first group
  int32_t shortBlockLength;  // codewords per first-group block
  int32_t shortBlockData;    // data codewords per first-group block
  int32_t longBlocks;        // blocks in the second group (0: none)

  int32_t blockCount() const { return shortBlocks + longBlocks; }
  int32_t ecPerBlock() const { return shortBlockLength - shortBlockData; }
};

// Indexed by version 1..40 (entry 0 unused).
extern const int32_t totalCodewords[kMaxVersion + 1];
extern const int32_t symbolSide[kMaxVersion + 1];

// Record of a version (1..40) and level (0..3).
const BlockLayout &BlockLayoutOf(int version, int level);

// Data capacity in codewords.
int DataCapacity(int version, int level);

// Smallest version >= requestedVersion (1 when 0) whose capacity holds the
// bit stream of the segments; 0 when none up to 40 does.
int ChooseVersion(const Segment *segments, int count, int requestedVersion, int level);

}  // namespace qr
