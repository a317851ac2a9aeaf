#include "descriptor_io.h"

#include <fcntl.h>
#include <io.h>

#include "text_codec.h"

namespace qrplatform {

// `path` is UTF-8: opened by its wide name, whatever the code page.
int OpenForReading(const std::string &path) {
  return _wopen(qrtext::WideFromUtf8(path).c_str(), _O_RDONLY | _O_BINARY);
}

void CloseDescriptor(int descriptor) { _close(descriptor); }

std::FILE *CreateForWriting(const std::string &path) {
  return _wfopen(qrtext::WideFromUtf8(path).c_str(), L"wb");
}

long ReadSome(int descriptor, char *bytes, size_t count) {
  return _read(descriptor, bytes, static_cast<unsigned>(count));
}

long long Seek(int descriptor, long long offset, int whence) {
  return _lseeki64(descriptor, offset, whence);
}

void SetBinaryMode(int descriptor) { _setmode(descriptor, _O_BINARY); }

bool WaitForInput(int) { return true; }

}  // namespace qrplatform
