#include "command_line.h"

#include <windows.h>
// After windows.h, which it needs.
#include <shellapi.h>

#include "utf8_text.h"

namespace qrplatform {

std::vector<std::string> CommandLineArguments(int argc, char **argv) {
  int count = 0;
  wchar_t **wide = CommandLineToArgvW(GetCommandLineW(), &count);
  if (wide == nullptr) return std::vector<std::string>(argv + (argc > 0 ? 1 : 0), argv + argc);
  std::vector<std::string> args;
  for (int i = 1; i < count; ++i) {
    const std::wstring_view units(wide[i]);
    std::string utf8;
    // A lone surrogate (no valid text) stays as its UTF-16 units would
    // read in UTF-8, which no option or path matches.
    if (!qrtext::Utf8FromUtf16(
            std::u16string_view(reinterpret_cast<const char16_t *>(units.data()), units.size()),
            utf8))
      utf8 = "\xEF\xBF\xBD";
    args.push_back(std::move(utf8));
  }
  LocalFree(wide);
  return args;
}

}  // namespace qrplatform
