#pragma once
// GBK bytes of a UTF-8 text, converted by the C library's iconv: a source
// independent of the byte escapes the program carries.
#include <iconv.h>

#include <stdexcept>
#include <string>

inline std::string Gbk(const std::string &utf8) {
  iconv_t cd = iconv_open("GBK", "UTF-8");
  if (cd == reinterpret_cast<iconv_t>(-1)) throw std::runtime_error("iconv has no GBK");
  std::string in = utf8;
  std::string out(in.size() * 2 + 4, '\0');
  char *inPtr = in.data();
  char *outPtr = out.data();
  size_t inLeft = in.size();
  size_t outLeft = out.size();
  const size_t rc = iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft);
  iconv_close(cd);
  if (rc == static_cast<size_t>(-1)) throw std::runtime_error("not convertible to GBK: " + utf8);
  out.resize(out.size() - outLeft);
  return out;
}
