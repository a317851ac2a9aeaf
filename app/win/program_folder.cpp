#include "program_folder.h"

#include <windows.h>

#include "text_codec.h"
#include "wide_path.h"

namespace qrwin {
namespace {

// The longest name the program puts into its folder: "\QRCodeWin32.dll".
constexpr size_t kLongestNameInFolder = 16;

// The buffer grows until the whole name fits: a truncated name would
// yield some other folder.
std::wstring ExecutablePath() {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length = GetModuleFileNameW(nullptr, &path[0], static_cast<DWORD>(path.size()));
    if (length == 0) return std::wstring();
    if (length < path.size()) {
      path.resize(length);
      return path;
    }
    if (path.size() > 65536) return std::wstring();
    path.resize(path.size() * 2);
  }
}

std::wstring ShortPath(const std::wstring &path) {
  const std::wstring longPath = qrplatform::SystemPath(path);
  std::wstring shortPath(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length =
        GetShortPathNameW(longPath.c_str(), &shortPath[0], static_cast<DWORD>(shortPath.size()));
    if (length == 0) return std::wstring();
    if (length < shortPath.size()) {
      shortPath.resize(length);
      return qrplatform::PlainPath(shortPath);
    }
    shortPath.resize(length + 1);
  }
}

// The ANSI text, when it converts back to exactly the same path.
bool ExactAnsi(const std::wstring &path, std::string &ansi) {
  ansi = qrtext::AnsiFromWide(path);
  return !path.empty() && qrtext::WideFromAnsi(ansi) == path;
}

bool LeavesRoomForNames(const std::string &folder, size_t longestName) {
  return folder.size() + longestName < MAX_PATH;
}

}  // namespace

std::wstring ProgramFolderWide() {
  const std::wstring path = qrplatform::PlainPath(ExecutablePath());
  const size_t slash = path.find_last_of(L'\\');
  if (slash == std::wstring::npos) return std::wstring();
  const std::wstring folder = path.substr(0, slash);
  return qrplatform::IsAbsolutePath(folder + L"\\") ? folder : std::wstring();
}

std::string AnsiProgramFolder() {
  return AnsiFolderName(ProgramFolderWide(), kLongestNameInFolder);
}

std::string AnsiFolderName(const std::wstring &folder, size_t longestName) {
  std::string longName;
  const bool expressible = ExactAnsi(folder, longName);
  if (expressible && LeavesRoomForNames(longName, longestName)) return longName;
  std::string shortName;
  // Asked with the backslash, so that a drive's root stays the root.
  std::wstring shortFolder = ShortPath(folder + L"\\");
  if (!shortFolder.empty() && shortFolder.back() == L'\\') shortFolder.pop_back();
  if (ExactAnsi(shortFolder, shortName) && LeavesRoomForNames(shortName, longestName))
    return shortName;
  return expressible ? longName : std::string();
}

}  // namespace qrwin
