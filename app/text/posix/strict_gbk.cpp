#include "strict_gbk.h"

#include <iconv.h>

#include <cerrno>

namespace qrtext {

namespace {

// glibc's CP936 maps 0x80 to the euro sign as Windows does.
constexpr char kGbkName[] = "CP936";

// One converter per thread and direction, opened on first use.
class Converter {
 public:
  Converter(const char *to, const char *from) : cd_(iconv_open(to, from)) {}
  ~Converter() {
    if (usable()) iconv_close(cd_);
  }
  Converter(const Converter &) = delete;
  Converter &operator=(const Converter &) = delete;

  // The whole input or nothing: false at the first byte sequence or
  // character the other side does not have.
  bool Convert(std::string_view in, std::string &out) {
    out.clear();
    if (!usable()) return false;
    iconv(cd_, nullptr, nullptr, nullptr, nullptr);
    char *next = const_cast<char *>(in.data());
    size_t left = in.size();
    char buffer[1024];
    while (left > 0) {
      char *put = buffer;
      size_t room = sizeof buffer;
      const size_t rc = iconv(cd_, &next, &left, &put, &room);
      out.append(buffer, sizeof buffer - room);
      if (rc == static_cast<size_t>(-1) && errno != E2BIG) return false;
      // glibc counts irreversible conversions; a strict answer has none.
      if (rc != static_cast<size_t>(-1) && rc > 0) return false;
    }
    return true;
  }

 private:
  bool usable() const { return cd_ != reinterpret_cast<iconv_t>(-1); }
  iconv_t cd_;
};

}  // namespace

bool IsAscii(std::string_view bytes) {
  for (const char c : bytes)
    if (static_cast<unsigned char>(c) >= 0x80) return false;
  return true;
}

bool GbkFromUtf8(std::string_view utf8, std::string &gbk) {
  if (IsAscii(utf8)) {
    gbk.assign(utf8);
    return true;
  }
  thread_local Converter converter(kGbkName, "UTF-8");
  return converter.Convert(utf8, gbk);
}

bool Utf8FromGbk(std::string_view gbk, std::string &utf8) {
  if (IsAscii(gbk)) {
    utf8.assign(gbk);
    return true;
  }
  thread_local Converter converter("UTF-8", kGbkName);
  return converter.Convert(gbk, utf8);
}

}  // namespace qrtext
