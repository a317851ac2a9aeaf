#include "descriptor_io.h"

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include <cerrno>

#include "stop_wake.h"

namespace qrplatform {

int OpenForReading(const std::string &path) { return open(path.c_str(), O_RDONLY | O_CLOEXEC); }

void CloseDescriptor(int descriptor) { close(descriptor); }

std::FILE *CreateForWriting(const std::string &path) { return std::fopen(path.c_str(), "wbe"); }

long ReadSome(int descriptor, char *bytes, size_t count) {
  return static_cast<long>(read(descriptor, bytes, count));
}

long long Seek(int descriptor, long long offset, int whence) {
  return lseek(descriptor, static_cast<off_t>(offset), whence);
}

void SetBinaryMode(int) {}

bool WaitForInput(int descriptor) {
  pollfd waits[2] = {{descriptor, POLLIN, 0}, {StopWakeDescriptor(), POLLIN, 0}};
  // A signal ending the wait is no failure: the caller asks for a stop next.
  return poll(waits, waits[1].fd >= 0 ? 2 : 1, -1) >= 0 || errno == EINTR;
}

}  // namespace qrplatform
