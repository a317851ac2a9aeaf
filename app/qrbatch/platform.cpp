#include "platform.h"

#include <cerrno>

#ifdef _WIN32
#include <io.h>
#include <windows.h>
#else
#include <sys/stat.h>
#include <unistd.h>
#endif

#include "system_error.h"

namespace qrbatch {

#ifdef _WIN32

char PathSeparator() { return '\\'; }

bool EnsureFolder(const std::string &path, std::string &reason) {
  auto isFolder = [](const std::string &p) {
    const DWORD attributes = GetFileAttributesA(p.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
  };
  for (size_t i = 0; i < path.size(); ++i) {
    const unsigned char c = static_cast<unsigned char>(path[i]);
    if (IsDBCSLeadByteEx(936, c)) {
      ++i;
    } else if ((c == '\\' || c == '/') && i > 0 && path[i - 1] != ':') {
      CreateDirectoryA(path.substr(0, i).c_str(), nullptr);
    }
  }
  if (CreateDirectoryA(path.c_str(), nullptr) || isFolder(path)) return true;
  reason = LastErrorText();
  if (GetLastError() == ERROR_ALREADY_EXISTS) reason = "a file of that name is in the way";
  return false;
}

bool IsTerminal(std::FILE *stream) { return _isatty(_fileno(stream)) != 0; }

#else

char PathSeparator() { return '/'; }

namespace {

bool IsFolder(const std::string &path) {
  struct stat status;
  return stat(path.c_str(), &status) == 0 && S_ISDIR(status.st_mode);
}

}  // namespace

bool EnsureFolder(const std::string &path, std::string &reason) {
  if (IsFolder(path)) return true;
  // Each missing parent first; the folder's own failure is the one told.
  for (size_t slash = path.find('/', 1); slash != std::string::npos; slash = path.find('/', slash + 1)) {
    const std::string parent = path.substr(0, slash);
    if (!IsFolder(parent)) mkdir(parent.c_str(), 0777);
  }
  if (mkdir(path.c_str(), 0777) == 0 || IsFolder(path)) return true;
  reason = errno == EEXIST ? "a file of that name is in the way" : ErrnoText(errno);
  return false;
}

bool IsTerminal(std::FILE *stream) { return isatty(fileno(stream)) != 0; }

#endif

}  // namespace qrbatch
