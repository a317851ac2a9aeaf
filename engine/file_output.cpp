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

namespace {

#ifdef _WIN32

using FileHandle = HANDLE;
const FileHandle kNoFile = INVALID_HANDLE_VALUE;

FileHandle OpenForWriting(const char *fileName, bool onlyIfNew) {
  return CreateFileA(fileName, GENERIC_READ | GENERIC_WRITE, 0, nullptr, onlyIfNew ? CREATE_NEW : CREATE_ALWAYS,
                     FILE_ATTRIBUTE_NORMAL, nullptr);
}

bool WriteAllParts(FileHandle file, std::initializer_list<ByteSpan> parts) {
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
  if (whole.size == 0) return true;
  // WriteFile takes at most 4 GB at once; our files are smaller than that.
  DWORD written = 0;
  return WriteFile(file, whole.data, static_cast<DWORD>(whole.size), &written, nullptr) && written == whole.size;
}

bool CloseFile(FileHandle file) { return CloseHandle(file) != 0; }

#else

using FileHandle = int;
const FileHandle kNoFile = -1;

FileHandle OpenForWriting(const char *fileName, bool onlyIfNew) {
  // Plain descriptors: no stream buffer, no size query, one write.
  return open(fileName, O_WRONLY | O_CREAT | (onlyIfNew ? O_EXCL : O_TRUNC), 0666);
}

// All parts with as few writev calls as the system allows (one, normally).
bool WriteAllParts(FileHandle fd, std::initializer_list<ByteSpan> parts) {
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

bool CloseFile(FileHandle fd) { return close(fd) == 0; }

#endif

// Writes and closes an opened file; removes it again when anything failed.
bool FinishFile(const char *fileName, FileHandle file, std::initializer_list<ByteSpan> parts) {
  if (file == kNoFile) return false;
  bool ok = WriteAllParts(file, parts);
  if (!CloseFile(file)) ok = false;
  if (!ok) RemoveFile(fileName);
  return ok;
}

}  // namespace

#ifdef _WIN32
void RemoveFile(const char *fileName) { DeleteFileA(fileName); }
#else
void RemoveFile(const char *fileName) { std::remove(fileName); }
#endif

bool WriteNewFile(const char *fileName, std::initializer_list<ByteSpan> parts) {
  return FinishFile(fileName, OpenForWriting(fileName, false), parts);
}

bool ReplaceFileContents(const char *fileName, std::initializer_list<ByteSpan> parts) {
  FileHandle file = OpenForWriting(fileName, true);
  if (file == kNoFile) {
    // Something is there (or the name cannot be created at all): the long way.
    RemoveFile(fileName);
    file = OpenForWriting(fileName, false);
  }
  return FinishFile(fileName, file, parts);
}

}  // namespace qr
