#include "gbk_text.h"

#include "text_codec.h"

namespace qrtext {

// Through UTF-16, with the system's own code page tables.
std::string ToGbk(const std::string &utf8) {
  return qrtext::GbkFromWide(qrtext::WideFromUtf8(utf8));
}

}  // namespace qrtext
