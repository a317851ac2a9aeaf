#include "progress_text.h"

#include <cstdio>

namespace qrapp {

int ProgressBarWidth(int done, int total) {
  if (total <= 0) return 0;
  return static_cast<int>(static_cast<double>(done) / total * kProgressBarFullWidth);
}

std::string PercentText(int barWidth) {
  char text[40];
  std::snprintf(text, sizeof text, "%.13g", barWidth / 2.0);
  return std::string(text) + "%";
}

}  // namespace qrapp
