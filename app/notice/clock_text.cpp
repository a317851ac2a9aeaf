#include "clock_text.h"

#include <cstring>

#include "notice_texts.h"

namespace notice {

std::string TextOfFormatBuffer(const char *buffer, std::size_t bufferSize) {
  const void *end = std::memchr(buffer, '\0', bufferSize);
  return std::string(buffer, end ? static_cast<const char *>(end) - buffer : bufferSize);
}

std::string ClockLabelText(const std::string &datePart, const std::string &timePart) {
  return text::kClockCaption + datePart + timePart;
}

std::uint32_t NextLinkColour(std::uint32_t colour) {
  return colour == kLinkBlue ? kLinkRed : kLinkBlue;
}

}  // namespace notice
