#include "gbk_profile_settings.h"

#include "content_encoding.h"
#include "text_codec.h"

namespace qrwin {
namespace {
constexpr char kUtf8Mark[] = "\xEF\xBB\xBF";
}  // namespace

std::string StoredValue(const std::string &utf8) {
  qrtext::EncodedContent gbk;
  if (qrtext::EncodeContent(utf8, qrtext::ContentEncoding::kGbk, false, gbk)) return gbk.bytes;
  return kUtf8Mark + utf8;
}

// Code page 936 reads 0x80 as the euro sign, a character of its own.
std::string ValueOfStored(const std::string &stored) {
  if (stored.rfind(kUtf8Mark, 0) == 0) return stored.substr(3);
  return qrtext::CodePageFromWide(65001, qrtext::WideFromGbk(stored));
}

std::string GbkProfileSettings::Read(const std::string &section, const std::string &key) {
  return ValueOfStored(file_.Read(section, key));
}

void GbkProfileSettings::Write(const std::string &section, const std::string &key,
                               const std::string &value) {
  file_.Write(section, key, StoredValue(value));
}

}  // namespace qrwin
