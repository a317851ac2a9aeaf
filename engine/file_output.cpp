#include "file_output.h"

#ifdef _WIN32
#include <windows.h>
#include <vector>
#else
#include <fcntl.h>
#include <sys/uio.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#endif

namespace qr {

#ifdef _WIN32

void RemoveFile(const char *fileName) { DeleteFileA(fileName); }

bool WriteNewFile(const char *fileName, std::initializer_list<ByteSpan> parts) {
  HANDLE file = CreateFileA(fileName, GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  // One WriteFile for the whole file: every call is a trip through the
  // system, which costs more than joining a few kilobytes here.
  std::vector<uint8_t> joined;
  ByteSpan whole = parts.size() == 1 ? *parts.begin() : ByteSpan{nullptr, 0};
  if (parts.size() > 1) {
    size_t total = 0;
    for (const ByteSpan &part : parts) total += part.size;
    joined.reserve(total);
    for (const ByteSpan &part : parts) joined.insert(joined.end(), part.data, part.data + part.size);
    whole = {joined.data(), joined.size()};
  }
  // WriteFile takes at most 4 GB at once; our files are smaller than that.
  DWORD written = 0;
  bool ok = whole.size == 0 ||
            (WriteFile(file, whole.data, static_cast<DWORD>(whole.size), &written, nullptr) && written == whole.size);
  if (!CloseHandle(file)) ok = false;
  if (!ok) DeleteFileA(fileName);
  return ok;
}

#else

void RemoveFile(const char *fileName) { std::remove(fileName); }

namespace {

// All parts with as few writev calls as the system allows (one, normally).
bool WriteAllParts(int fd, std::initializer_list<ByteSpan> parts) {
  constexpr size_t kMostParts = 8;
  if (parts.size() > kMostParts) {
    for (const ByteSpan &part : parts)
      if (!WriteAllParts(fd, {part})) return false;
    return true;
  }
  iovec vectors[kMostParts];
  int count = 0;
  for (const ByteSpan &part : parts)
    if (part.size > 0) vectors[count++] = {const_cast<uint8_t *>(part.data), part.size};
  iovec *next = vectors;
  while (count > 0) {
    const ssize_t written = writev(fd, next, count);
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) return false;
    // Skip what went out; a short write leaves the rest for the next call.
    size_t left = static_cast<size_t>(written);
    while (count > 0 && left >= next->iov_len) left -= next->iov_len, ++next, --count;
    if (count > 0) {
      next->iov_base = static_cast<uint8_t *>(next->iov_base) + left;
      next->iov_len -= left;
    }
  }
  return true;
}

}  // namespace

bool WriteNewFile(const char *fileName, std::initializer_list<ByteSpan> parts) {
  // Plain descriptors: no stream buffer, no size query, one write.
  const int fd = open(fileName, O_WRONLY | O_CREAT | O_TRUNC, 0666);
  if (fd < 0) return false;
  bool ok = WriteAllParts(fd, parts);
  if (close(fd) != 0) ok = false;
  if (!ok) std::remove(fileName);
  return ok;
}

#endif

}  // namespace qr
