#include "version_items.h"

namespace qrapp {

std::vector<std::string> VersionItems() {
  std::vector<std::string> items;
  items.push_back("自动");
  for (int n = 1; n <= 40; ++n) {
    const std::string side = std::to_string(17 + 4 * n);
    items.push_back("版本_" + std::to_string(n) + "   " + side + "×" + side);
  }
  return items;
}

}  // namespace qrapp
