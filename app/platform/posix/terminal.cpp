#include "terminal.h"

#include <unistd.h>

namespace qrplatform {

bool IsTerminal(std::FILE *stream) { return isatty(fileno(stream)) != 0; }

void PutText(std::FILE *stream, const std::string &utf8) {
  std::fwrite(utf8.data(), 1, utf8.size(), stream);
}

}  // namespace qrplatform
