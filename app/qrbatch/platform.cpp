#include "platform.h"

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <windows.h>
#else
#include <unistd.h>

#include "posix_file_system.h"
#endif

namespace qrbatch {

#ifdef _WIN32

char PathSeparator() { return '\\'; }

bool EnsureFolder(const std::string &path) {
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
  CreateDirectoryA(path.c_str(), nullptr);
  return isFolder(path);
}

bool IsTerminal(std::FILE *stream) { return _isatty(_fileno(stream)) != 0; }

#else

char PathSeparator() { return '/'; }

bool EnsureFolder(const std::string &path) {
  qrapp::PosixFileSystem files;
  return files.IsDirectory(path) || files.CreateDirectories(path);
}

bool IsTerminal(std::FILE *stream) { return isatty(fileno(stream)) != 0; }

#endif

bool ReadAll(std::FILE *stream, std::string &bytes) {
#ifdef _WIN32
  _setmode(_fileno(stream), _O_BINARY);
#endif
  char buffer[65536];
  size_t count;
  while ((count = std::fread(buffer, 1, sizeof buffer, stream)) > 0) bytes.append(buffer, count);
  return !std::ferror(stream);
}

}  // namespace qrbatch
