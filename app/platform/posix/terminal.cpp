#include "terminal.h"

#include <unistd.h>

namespace qrplatform {

bool IsTerminal(std::FILE *stream) { return isatty(fileno(stream)) != 0; }

}  // namespace qrplatform
