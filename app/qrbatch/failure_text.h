// How qrbatch reports a line that produced no file.
#pragma once

#include <string>

#include "batch_run.h"

namespace qrbatch {

// "line N: REASON: LINE", the line shown escaped and cut (line_display.h).
std::string FailureText(const qrapp::LineFailure &failure);

}  // namespace qrbatch
