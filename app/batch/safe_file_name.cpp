#include "safe_file_name.h"

#include "utf8_text.h"
#include "windows_name_rule.h"

namespace batch {

namespace {

// Bytes of the UTF-8 character at `at` (1 for a byte of no valid character).
size_t CharacterBytes(std::string_view text, size_t at) {
  const size_t size = qrtext::Utf8CharLength(text, at);
  return size > 0 ? size : 1;
}

size_t UnitsOf(size_t bytes, NameUnits units) {
  if (units == NameUnits::kUtf8Bytes) return bytes;
  return bytes == 4 ? 2 : 1;  // beyond U+FFFF: a surrogate pair
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
    if (bytes == 1 && IsReservedNameCharacter(static_cast<unsigned char>(text[at])))
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

}  // namespace batch
