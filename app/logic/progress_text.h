// Progress bar width and per-cent caption of the batch.
#pragma once

#include <string>

namespace qrapp {

inline constexpr int kProgressBarFullWidth = 200;

// done / total * 200 in double precision, truncated toward zero.
int ProgressBarWidth(int done, int total);

// Half the bar width as "%.13g", then "%": 133 gives "66.5%".
std::string PercentText(int barWidth);

}  // namespace qrapp
