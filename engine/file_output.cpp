#include "file_output.h"

#include <atomic>
#include <cstdio>
#include <cstring>
#include <string>

#ifdef _WIN32
#include <windows.h>

#include <vector>
#else
#include <fcntl.h>
#include <sys/uio.h>
#include <unistd.h>

#include <cerrno>
#endif

namespace qr {

bool (*afterTemporaryFileCreated)() = nullptr;

namespace {

// Temporary names are ".qr-PID-N.tmp" in the target's folder. The batch
// programs only ever write names ending in .jpg, .png or .svg, so no line
// of a batch can produce (and overwrite, or be overwritten by) one of
// these; the process id and a counter shared by all threads keep writers
// apart, and the file is created exclusively in case one is left over from
// a process that died mid-write.
std::atomic<unsigned long> temporaryCounter{0};
constexpr int kTemporaryAttempts = 100;

#ifdef _WIN32

// The engine receives names in the ANSI code page. They are split into
// folder and name as wide text: a trail byte of a double-byte character can
// look like a backslash.
std::wstring Wide(const char *ansi) {
  const int length = MultiByteToWideChar(CP_ACP, 0, ansi, -1, nullptr, 0);
  if (length <= 0) return std::wstring();
  std::wstring wide(static_cast<size_t>(length), L'\0');
  MultiByteToWideChar(CP_ACP, 0, ansi, -1, &wide[0], length);
  wide.resize(static_cast<size_t>(length - 1));
  return wide;
}

std::wstring TemporaryName(const std::wstring &target) {
  const size_t slash = target.find_last_of(L"\\/:");
  const std::wstring name =
      L".qr-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
      std::to_wstring(temporaryCounter.fetch_add(1, std::memory_order_relaxed)) + L".tmp";
  return (slash == std::wstring::npos ? std::wstring() : target.substr(0, slash + 1)) + name;
}

bool WriteAllParts(HANDLE file, std::initializer_list<ByteSpan> parts) {
  // One WriteFile for the whole file: every call is a trip through the
  // system, which costs more than joining a few kilobytes here.
  std::vector<uint8_t> joined;
  ByteSpan whole = parts.size() == 1 ? *parts.begin() : ByteSpan{nullptr, 0};
  if (parts.size() > 1) {
    size_t total = 0;
    for (const ByteSpan &part : parts) total += part.size;
    joined.reserve(total);
    for (const ByteSpan &part : parts)
      joined.insert(joined.end(), part.data, part.data + part.size);
    whole = {joined.data(), joined.size()};
  }
  if (whole.size == 0) return true;
  // WriteFile takes at most 4 GB at once; our files are smaller than that.
  DWORD written = 0;
  return WriteFile(file, whole.data, static_cast<DWORD>(whole.size), &written, nullptr) &&
         written == whole.size;
}

#else

std::string TemporaryName(const char *target) {
  // Asked once: getpid is a system call of its own. A child made by fork
  // keeps its parent's number; the exclusive creation keeps them apart.
  static const long pid = static_cast<long>(getpid());
  const char *slash = std::strrchr(target, '/');
  char name[64];
  std::snprintf(name, sizeof name, ".qr-%ld-%lu.tmp", pid,
                temporaryCounter.fetch_add(1, std::memory_order_relaxed));
  return std::string(target, slash ? static_cast<size_t>(slash - target + 1) : 0) + name;
}

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
    if (written < 0) return false;
    if (written == 0) {
      errno = EIO;
      return false;
    }
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

#endif

// The test seam's verdict; true when no test is listening.
bool SurvivesInjectedFault() {
  return afterTemporaryFileCreated == nullptr || afterTemporaryFileCreated();
}

}  // namespace

#ifdef _WIN32

void RemoveFile(const char *fileName) { DeleteFileA(fileName); }

bool WriteFileAtomically(const char *fileName, std::initializer_list<ByteSpan> parts) {
  const std::wstring target = Wide(fileName);
  if (target.empty()) {
    SetLastError(ERROR_INVALID_NAME);
    return false;
  }
  std::wstring temporary;
  HANDLE file = INVALID_HANDLE_VALUE;
  for (int attempt = 0; attempt < kTemporaryAttempts && file == INVALID_HANDLE_VALUE; ++attempt) {
    temporary = TemporaryName(target);
    file = CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                       FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE && GetLastError() != ERROR_FILE_EXISTS) return false;
  }
  if (file == INVALID_HANDLE_VALUE) return false;
  bool ok = SurvivesInjectedFault();
  if (!ok) SetLastError(ERROR_WRITE_FAULT);
  ok = ok && WriteAllParts(file, parts);
  DWORD reason = GetLastError();
  if (!CloseHandle(file) && ok) ok = false, reason = GetLastError();
  // A folder of that name makes the move fail: it is never replaced.
  if (ok && MoveFileExW(temporary.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING)) return true;
  if (ok) reason = GetLastError();
  DeleteFileW(temporary.c_str());
  SetLastError(reason);
  return false;
}

#else

// unlink, not remove: remove would also take an empty folder of that name.
void RemoveFile(const char *fileName) { unlink(fileName); }

bool WriteFileAtomically(const char *fileName, std::initializer_list<ByteSpan> parts) {
  std::string temporary;
  int fd = -1;
  for (int attempt = 0; attempt < kTemporaryAttempts && fd < 0; ++attempt) {
    temporary = TemporaryName(fileName);
    // Plain descriptors: no stream buffer, no size query, one write.
    fd = open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0 && errno != EEXIST) return false;
  }
  if (fd < 0) return false;
  bool ok = SurvivesInjectedFault();
  if (!ok) errno = EIO;
  ok = ok && WriteAllParts(fd, parts);
  int reason = errno;
  if (close(fd) != 0 && ok) ok = false, reason = errno;
  // rename never replaces a folder (EISDIR), not even an empty one.
  if (ok && rename(temporary.c_str(), fileName) == 0) return true;
  if (ok) reason = errno;
  unlink(temporary.c_str());
  errno = reason;
  return false;
}

#endif

}  // namespace qr
