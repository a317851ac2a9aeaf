#include "terminal.h"

#include <io.h>

namespace qrplatform {

bool IsTerminal(std::FILE *stream) { return _isatty(_fileno(stream)) != 0; }

}  // namespace qrplatform
