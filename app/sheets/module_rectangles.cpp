#include "module_rectangles.h"

#include <cstddef>

namespace qrsheets {

void DarkRectangles(const std::vector<uint8_t> &modules, int side, std::vector<ModuleRect> &out) {
  out.clear();
  // Indices into `out` of the rectangles the previous row can still extend,
  // by increasing x.
  std::vector<size_t> open, next;
  for (int y = 0; y < side; ++y) {
    const uint8_t *row = modules.data() + static_cast<size_t>(y) * side;
    size_t candidate = 0;
    next.clear();
    for (int x = 0; x < side;) {
      if (!row[x]) {
        ++x;
        continue;
      }
      const int start = x;
      while (x < side && row[x]) ++x;
      // The previous row's runs are ordered like this row's: skip those
      // ending before this one starts.
      while (candidate < open.size() &&
             out[open[candidate]].x + out[open[candidate]].width <= start)
        ++candidate;
      if (candidate < open.size() && out[open[candidate]].x == start &&
          out[open[candidate]].width == x - start) {
        ++out[open[candidate]].height;
        next.push_back(open[candidate]);
      } else {
        out.push_back({start, y, x - start, 1});
        next.push_back(out.size() - 1);
      }
    }
    open.swap(next);
  }
}

}  // namespace qrsheets
