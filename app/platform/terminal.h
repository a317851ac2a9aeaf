// Whether a stream goes to a terminal (progress is shown only there).
#pragma once

#include <cstdio>

namespace qrplatform {

bool IsTerminal(std::FILE *stream);

}  // namespace qrplatform
