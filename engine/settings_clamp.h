// How the setters clamp their arguments: the low 16 bits, read unsigned,
// replaced by 0 when above the field's bound.
#pragma once

#include <cstdint>

namespace qr {

inline uint16_t Clamped16(int value, unsigned bound) {
  const uint16_t low = static_cast<uint16_t>(static_cast<uint32_t>(value) & 0xFFFFu);
  return low <= bound ? low : 0;
}

constexpr unsigned kVersionBound = 40;
constexpr unsigned kLevelBound = 3;
constexpr unsigned kMaskSettingBound = 8;

}  // namespace qr
