#include <cstdarg>
#include <vector>

#include "terminal.h"

namespace qrplatform {

void PrintText(std::FILE *stream, const char *format, ...) {
  std::va_list args;
  va_start(args, format);
  std::va_list again;
  va_copy(again, args);
  const int length = std::vsnprintf(nullptr, 0, format, args);
  va_end(args);
  if (length > 0) {
    std::vector<char> text(static_cast<size_t>(length) + 1);
    std::vsnprintf(text.data(), text.size(), format, again);
    PutText(stream, std::string(text.data(), static_cast<size_t>(length)));
  }
  va_end(again);
}

}  // namespace qrplatform
