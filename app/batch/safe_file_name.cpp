#include "safe_file_name.h"

#include <cctype>
#include <cstring>

namespace qrapp {

namespace {

bool IsUnsafe(unsigned char c) { return c < 0x20 || std::strchr(":/\\*?\"<>|", c) != nullptr; }

// Bytes of the UTF-8 character starting with `lead` (1 for a stray byte).
size_t CharacterBytes(std::string_view text, size_t at) {
  const unsigned char lead = static_cast<unsigned char>(text[at]);
  const size_t size = lead >= 0xF0 && lead < 0xF8   ? 4
                      : lead >= 0xE0 && lead < 0xF0 ? 3
                      : lead >= 0xC2 && lead < 0xE0 ? 2
                                                    : 1;
  if (at + size > text.size()) return 1;
  for (size_t i = 1; i < size; ++i) {
    if ((static_cast<unsigned char>(text[at + i]) & 0xC0) != 0x80) return 1;
  }
  return size;
}

size_t UnitsOf(size_t bytes, NameUnits units) {
  if (units == NameUnits::kUtf8Bytes) return bytes;
  return bytes == 4 ? 2 : 1;  // beyond U+FFFF: a surrogate pair
}

bool EqualsIgnoringCase(std::string_view a, const char *b) {
  if (a.size() != std::strlen(b)) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (std::toupper(static_cast<unsigned char>(a[i])) != b[i]) return false;
  }
  return true;
}

bool IsDeviceName(std::string_view name) {
  std::string_view base = name.substr(0, name.find('.'));
  while (!base.empty() && base.back() == ' ') base.remove_suffix(1);
  for (const char *device : {"CON", "PRN", "AUX", "NUL", "CONIN$", "CONOUT$"}) {
    if (EqualsIgnoringCase(base, device)) return true;
  }
  return base.size() == 4 && base[3] >= '1' && base[3] <= '9' &&
         (EqualsIgnoringCase(base.substr(0, 3), "COM") ||
          EqualsIgnoringCase(base.substr(0, 3), "LPT"));
}

// The text with unsafe characters replaced, cut to `limit` units.
std::string Replaced(std::string_view text, NameUnits units, size_t limit, size_t &used) {
  std::string name;
  used = 0;
  for (size_t at = 0; at < text.size();) {
    const size_t bytes = CharacterBytes(text, at);
    const size_t cost = UnitsOf(bytes, units);
    if (used + cost > limit) break;
    used += cost;
    if (bytes == 1 && IsUnsafe(static_cast<unsigned char>(text[at])))
      name += '_';
    else
      name.append(text, at, bytes);
    at += bytes;
  }
  // Windows drops trailing dots and blanks, which would merge names.
  for (size_t i = name.size(); i > 0 && (name[i - 1] == '.' || name[i - 1] == ' '); --i)
    name[i - 1] = '_';
  return name;
}

}  // namespace

std::string SafeFileName(std::string_view text, NameUnits units, size_t extensionUnits) {
  const size_t limit = kLongestFileName > extensionUnits ? kLongestFileName - extensionUnits : 0;
  size_t used = 0;
  std::string name = Replaced(text, units, limit, used);
  if (!IsDeviceName(name)) return name;
  // A device name at the limit (CON.<long text>) gives a unit to its '_'.
  if (used + 1 > limit) name = Replaced(text, units, limit - 1, used);
  return "_" + name;
}

}  // namespace qrapp
