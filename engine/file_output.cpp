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
#include <sys/stat.h>
#include <sys/uio.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <unordered_map>
#include <utility>
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
std::wstring Wide(const char *ansi, UINT codePage = CP_ACP) {
  const int length = MultiByteToWideChar(codePage, 0, ansi, -1, nullptr, 0);
  if (length <= 0) return std::wstring();
  std::wstring wide(static_cast<size_t>(length), L'\0');
  MultiByteToWideChar(codePage, 0, ansi, -1, &wide[0], length);
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

namespace {

// Creates the temporary file beside `target` and writes the parts through
// to the disk; nothing is left behind on failure.
bool WriteTemporary(const std::wstring &target, std::initializer_list<ByteSpan> parts,
                    std::wstring &temporary) {
  if (target.empty()) {
    SetLastError(ERROR_INVALID_NAME);
    return false;
  }
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
  ok = ok && WriteAllParts(file, parts) && FlushFileBuffers(file);
  DWORD reason = GetLastError();
  if (!CloseHandle(file) && ok) ok = false, reason = GetLastError();
  if (ok) return true;
  DeleteFileW(temporary.c_str());
  SetLastError(reason);
  return false;
}

// The temporary file takes the target's name; the move is on the disk when
// this returns. A folder of that name makes the move fail: it is never
// replaced.
bool MoveIntoPlace(const std::wstring &temporary, const std::wstring &target) {
  if (MoveFileExW(temporary.c_str(), target.c_str(),
                  MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
    return true;
  const DWORD reason = GetLastError();
  DeleteFileW(temporary.c_str());
  SetLastError(reason);
  return false;
}

}  // namespace

bool WriteFileAtomically(const char *fileName, std::initializer_list<ByteSpan> parts) {
  StagedFile staged;
  return StageFile(fileName, parts, staged) && MoveIntoPlace(staged.temporary, staged.target);
}

bool StageFile(const char *fileName, std::initializer_list<ByteSpan> parts, StagedFile &staged,
               bool utf8Name) {
  staged.target = Wide(fileName, utf8Name ? CP_UTF8 : CP_ACP);
  return WriteTemporary(staged.target, parts, staged.temporary);
}

void PublishStagedFiles(const std::vector<StagedFile> &staged, std::vector<unsigned long> &errors) {
  errors.assign(staged.size(), 0);
  for (size_t i = 0; i < staged.size(); ++i)
    if (!MoveIntoPlace(staged[i].temporary, staged[i].target)) errors[i] = GetLastError();
}

void DiscardStagedFile(const StagedFile &staged) { DeleteFileW(staged.temporary.c_str()); }

void SetSystemError(unsigned long error) { SetLastError(error); }

#else

namespace {

// A flush the file system cannot do (EINVAL: it keeps nothing to flush,
// as some network and special file systems) is no failure.
bool Flushed(int result) { return result == 0 || errno == EINVAL; }

// Creates the temporary file beside `target` and writes the parts;
// `flush`: their data reaches the disk too. Nothing is left behind on
// failure.
bool WriteTemporary(const char *target, std::initializer_list<ByteSpan> parts, bool flush,
                    std::string &temporary) {
  int fd = -1;
  for (int attempt = 0; attempt < kTemporaryAttempts && fd < 0; ++attempt) {
    temporary = TemporaryName(target);
    // Plain descriptors: no stream buffer, no size query, one write.
    fd = open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0 && errno != EEXIST) return false;
  }
  if (fd < 0) return false;
  bool ok = SurvivesInjectedFault();
  if (!ok) errno = EIO;
  ok = ok && WriteAllParts(fd, parts) && (!flush || Flushed(fdatasync(fd)));
  int reason = errno;
  if (close(fd) != 0 && ok) ok = false, reason = errno;
  if (ok) return true;
  unlink(temporary.c_str());
  errno = reason;
  return false;
}

// rename never replaces a folder (EISDIR), not even an empty one.
bool MoveIntoPlace(const std::string &temporary, const std::string &target) {
  if (rename(temporary.c_str(), target.c_str()) == 0) return true;
  const int reason = errno;
  unlink(temporary.c_str());
  errno = reason;
  return false;
}

std::string FolderOf(const std::string &path) {
  const size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

int OpenFolder(const std::string &folder) {
  return open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
}

// A folder's entries (a rename into it) reach the disk.
bool FlushFolder(const std::string &folder) {
  const int fd = OpenFolder(folder);
  if (fd < 0) return false;
  const bool ok = Flushed(fsync(fd));
  const int reason = errno;
  close(fd);
  errno = reason;
  return ok;
}

// The folders of a group of staged files, each opened once.
struct GroupFolder {
  std::string path;
  int fd = -1;
  int error = 0;  // of opening, flushing the file system or the folder
  bool renamedInto = false;
};

}  // namespace

bool WriteFileAtomically(const char *fileName, std::initializer_list<ByteSpan> parts) {
  std::string temporary;
  return WriteTemporary(fileName, parts, true, temporary) && MoveIntoPlace(temporary, fileName) &&
         FlushFolder(FolderOf(fileName));
}

bool StageFile(const char *fileName, std::initializer_list<ByteSpan> parts, StagedFile &staged,
               bool) {
  staged.target = fileName;
  return WriteTemporary(fileName, parts, false, staged.temporary);
}

void PublishStagedFiles(const std::vector<StagedFile> &staged, std::vector<unsigned long> &errors) {
  errors.assign(staged.size(), 0);
  std::vector<GroupFolder> folders;
  std::unordered_map<std::string, size_t> folderIndex;
  std::vector<size_t> folderOf(staged.size());
  for (size_t i = 0; i < staged.size(); ++i) {
    const auto found = folderIndex.emplace(FolderOf(staged[i].target), folders.size());
    if (found.second) {
      folders.push_back({found.first->first});
      folders.back().fd = OpenFolder(folders.back().path);
      if (folders.back().fd < 0) folders.back().error = errno;
    }
    folderOf[i] = found.first->second;
  }
  // The data of every staged file reaches the disk: one flush of each file
  // system the folders are on.
  std::vector<std::pair<dev_t, int>> fileSystems;  // device, error of its flush
  for (GroupFolder &folder : folders) {
    struct stat info;
    if (folder.error != 0) continue;
    if (fstat(folder.fd, &info) != 0) {
      folder.error = errno;
      continue;
    }
    auto flushed = std::find_if(fileSystems.begin(), fileSystems.end(),
                                [&](const auto &system) { return system.first == info.st_dev; });
    if (flushed == fileSystems.end()) {
      fileSystems.emplace_back(info.st_dev, Flushed(syncfs(folder.fd)) ? 0 : errno);
      flushed = fileSystems.end() - 1;
    }
    folder.error = flushed->second;
  }
  // Then the names, in order: a later file of the same name wins.
  for (size_t i = 0; i < staged.size(); ++i) {
    GroupFolder &folder = folders[folderOf[i]];
    if (folder.error != 0) {
      errors[i] = static_cast<unsigned long>(folder.error);
      DiscardStagedFile(staged[i]);
    } else if (!MoveIntoPlace(staged[i].temporary, staged[i].target)) {
      errors[i] = static_cast<unsigned long>(errno);
    } else {
      folder.renamedInto = true;
    }
  }
  // Then the folders that took names.
  for (GroupFolder &folder : folders) {
    if (folder.renamedInto && !Flushed(fsync(folder.fd))) folder.error = errno;
    if (folder.fd >= 0) close(folder.fd);
  }
  for (size_t i = 0; i < staged.size(); ++i)
    if (errors[i] == 0 && folders[folderOf[i]].error != 0)
      errors[i] = static_cast<unsigned long>(folders[folderOf[i]].error);
}

void DiscardStagedFile(const StagedFile &staged) { unlink(staged.temporary.c_str()); }

void SetSystemError(unsigned long error) { errno = static_cast<int>(error); }

#endif

}  // namespace qr
