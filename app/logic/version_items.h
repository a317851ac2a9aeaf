// Items of the version list 组合框_版本1.
#pragma once

#include <string>
#include <vector>

namespace qrapp {

// 41 UTF-8 items: "自动", then "版本_n   s×s" for n = 1..40, s = 17 + 4n.
// Item index i requests version i (0 = automatic).
std::vector<std::string> VersionItems();

}  // namespace qrapp
