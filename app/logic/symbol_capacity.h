// Whether a message fits the largest symbol (version 40) at a level, with the
// engine's own rule: one segment, numeric / alphanumeric / byte mode.
#pragma once

#include <string>

namespace qrapp {

bool FitsLargestSymbol(const std::string &message, int level);

}  // namespace qrapp
