#include "temporary_file.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

namespace qrplatform {

TemporaryFile CreateTemporaryBeside(const std::string &target) {
  const size_t slash = target.rfind('/');
  const std::string folder =
      slash == std::string::npos ? std::string() : target.substr(0, slash + 1);
  for (int attempt = 0; attempt < 100; ++attempt) {
    const std::string path = folder + NextTemporaryName();
    // Plain descriptors: no stream buffer, no size query.
    const int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd >= 0) return {path, fd};
    if (errno != EEXIST) break;
  }
  return {std::string(), -1};
}

}  // namespace qrplatform
