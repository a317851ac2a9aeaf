#include "platform.h"

#include <cerrno>

#ifdef _WIN32
#include <io.h>
#include <windows.h>

#include "win_file_system.h"
#else
#include <unistd.h>

#include "posix_file_system.h"
#endif

#include "system_error.h"

namespace qrbatch {

#ifdef _WIN32

namespace {

using PlatformFileSystem = qrwin::WinFileSystem;

// The folder creation of the Windows program wants backslashes.
std::string NativeFolder(std::string path) {
  for (char &c : path)
    if (c == '/') c = '\\';
  return path;
}

void ClearSystemError() { SetLastError(0); }
bool InTheWay() { return GetLastError() == ERROR_ALREADY_EXISTS; }

}  // namespace

char PathSeparator() { return '\\'; }

bool IsTerminal(std::FILE *stream) { return _isatty(_fileno(stream)) != 0; }

#else

namespace {

using PlatformFileSystem = qrapp::PosixFileSystem;

std::string NativeFolder(std::string path) { return path; }
void ClearSystemError() { errno = 0; }
bool InTheWay() { return errno == EEXIST; }

}  // namespace

char PathSeparator() { return '/'; }

bool IsTerminal(std::FILE *stream) { return isatty(fileno(stream)) != 0; }

#endif

bool EnsureFolder(const std::string &path, std::string &reason) {
  PlatformFileSystem files;
  const std::string folder = NativeFolder(path);
  if (files.IsDirectory(folder)) return true;
  ClearSystemError();
  if (files.CreateDirectories(folder)) return true;
  reason = InTheWay() ? "a file of that name is in the way" : LastErrorText();
  return false;
}

}  // namespace qrbatch
