// Whether a message fits the largest symbol (version 40) at a level, by the
// engine's own mode choice and capacity tables.
#pragma once

#include <string>

namespace qrapp {

bool FitsLargestSymbol(const std::string &message, int level);

}  // namespace qrapp
