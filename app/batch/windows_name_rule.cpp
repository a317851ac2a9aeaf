#include "windows_name_rule.h"

#include <cctype>
#include <cstring>

namespace batch {

namespace {

bool EqualsIgnoringCase(std::string_view a, std::string_view upper) {
  if (a.size() != upper.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (std::toupper(static_cast<unsigned char>(a[i])) != upper[i]) return false;
  }
  return true;
}

}  // namespace

bool IsReservedNameCharacter(unsigned char c) {
  return c < 0x20 || (c != 0 && std::strchr("<>:\"/\\|?*", c) != nullptr);
}

bool IsDeviceName(std::string_view component) {
  std::string_view base = component.substr(0, component.find('.'));
  while (!base.empty() && base.back() == ' ') base.remove_suffix(1);
  for (std::string_view device : {"CON", "PRN", "AUX", "NUL", "CONIN$", "CONOUT$"}) {
    if (EqualsIgnoringCase(base, device)) return true;
  }
  return base.size() == 4 && base[3] >= '1' && base[3] <= '9' &&
         (EqualsIgnoringCase(base.substr(0, 3), "COM") ||
          EqualsIgnoringCase(base.substr(0, 3), "LPT"));
}

}  // namespace batch
