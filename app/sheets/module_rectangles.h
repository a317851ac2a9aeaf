// A symbol's dark modules as few rectangles: vector output draws runs, not
// single modules (fewer operators, no seams between neighbours).
#pragma once

#include <cstdint>
#include <vector>

namespace qrsheets {

// In modules, from the symbol's top left.
struct ModuleRect {
  int x, y, width, height;
};

// The dark modules (`modules[y * side + x]` nonzero) of a side x side
// symbol: each row's runs of dark modules, a run repeated exactly in the
// rows below it joined into one taller rectangle. They cover every dark
// module once and nothing else. `out` is replaced.
void DarkRectangles(const std::vector<uint8_t> &modules, int side, std::vector<ModuleRect> &out);

}  // namespace qrsheets
