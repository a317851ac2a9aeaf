#include "gbk_text.h"

#include "text_codec.h"

namespace qrapp {

// Through UTF-16, with the system's own code page tables.
std::string ToGbk(const std::string &utf8) { return qrwin::GbkFromWide(qrwin::WideFromUtf8(utf8)); }

}  // namespace qrapp
