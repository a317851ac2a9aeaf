#include "web_address.h"

#include <cctype>
#include <cstring>

namespace notice {
namespace {

bool StartsWithIgnoringCase(std::string_view text, std::string_view prefix) {
  if (text.size() < prefix.size()) return false;
  for (std::size_t i = 0; i < prefix.size(); ++i) {
    if (std::tolower(static_cast<unsigned char>(text[i])) != prefix[i]) return false;
  }
  return true;
}

bool HasHostAfter(std::string_view link, std::size_t schemeLength) {
  return link.size() > schemeLength && link[schemeLength] != '/';
}

// The characters an address may hold: unreserved, gen-delims, sub-delims
// and the '%' of percent-encoding. Bytes of 0x80 and up pass too, so
// addresses written with Chinese characters keep working. Blanks, controls,
// quotes and " < > \ ^ ` { | } never do: a quote or a blank can split the
// browser's command line into extra arguments.
bool IsAddressCharacter(char c) {
  const auto byte = static_cast<unsigned char>(c);
  if (byte >= 0x80) return true;
  if ((byte >= 'a' && byte <= 'z') || (byte >= 'A' && byte <= 'Z') || (byte >= '0' && byte <= '9'))
    return true;
  return byte != 0 && std::strchr("-._~:/?#[]@!$&'()*+,;=%", byte) != nullptr;
}

bool HasOnlyAddressCharacters(std::string_view link) {
  for (char c : link) {
    if (!IsAddressCharacter(c)) return false;
  }
  return true;
}

}  // namespace

bool IsWebAddress(std::string_view link) {
  if (!HasOnlyAddressCharacters(link)) return false;
  for (std::string_view scheme : {std::string_view("http://"), std::string_view("https://")}) {
    if (StartsWithIgnoringCase(link, scheme)) return HasHostAfter(link, scheme.size());
  }
  return false;
}

}  // namespace notice
