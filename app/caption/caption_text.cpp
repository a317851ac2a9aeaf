#include "caption_text.h"

#include "utf8_text.h"

namespace qrcaption {

namespace {

constexpr char kReplacement[] = "\xEF\xBF\xBD";

}  // namespace

std::string CaptionText(std::string_view bytes) {
  std::string text;
  text.reserve(bytes.size());
  for (size_t at = 0; at < bytes.size();) {
    const size_t length = qrtext::Utf8CharLength(bytes, at);
    if (length == 0) {
      text += kReplacement;
      ++at;
    } else if (length == 1 && (static_cast<unsigned char>(bytes[at]) < 0x20 || bytes[at] == 0x7F)) {
      text += ' ';
      ++at;
    } else {
      text.append(bytes.substr(at, length));
      at += length;
    }
  }
  const size_t first = text.find_first_not_of(' ');
  if (first == std::string::npos) return std::string();
  return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

}  // namespace qrcaption
