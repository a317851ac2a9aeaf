#include "input_lines.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <sys/stat.h>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#else
#include <poll.h>
#include <unistd.h>
#endif

#include "stop_request.h"

namespace qrbatch {

namespace {

constexpr size_t kBufferBytes = 64 * 1024;

long ReadSome(int descriptor, char *bytes, size_t count) {
#ifdef _WIN32
  return _read(descriptor, bytes, static_cast<unsigned>(count));
#else
  return static_cast<long>(read(descriptor, bytes, count));
#endif
}

long long Seek(int descriptor, long long offset, int whence) {
#ifdef _WIN32
  return _lseeki64(descriptor, offset, whence);
#else
  return lseek(descriptor, static_cast<off_t>(offset), whence);
#endif
}

}  // namespace

LineReader::LineReader(int descriptor) : descriptor_(descriptor), buffer_(kBufferBytes) {
#ifdef _WIN32
  _setmode(descriptor, _O_BINARY);
#endif
}

bool LineReader::Fill(Result &result) {
  for (;;) {
    if (StopRequested()) {
      result = Result::kStopped;
      return false;
    }
#ifndef _WIN32
    // Wait for input or a stop request, whichever comes first.
    pollfd waits[2] = {{descriptor_, POLLIN, 0}, {StopWakeDescriptor(), POLLIN, 0}};
    if (poll(waits, waits[1].fd >= 0 ? 2 : 1, -1) < 0 && errno != EINTR) {
      error_ = errno;
      result = Result::kFailed;
      return false;
    }
    if (StopRequested()) continue;
#endif
    const long count = ReadSome(descriptor_, buffer_.data(), buffer_.size());
    if (count > 0) {
      begin_ = 0;
      end_ = static_cast<size_t>(count);
      return true;
    }
    if (count == 0) {
      ended_ = true;
      result = Result::kEnd;
      return false;
    }
    if (errno == EINTR || errno == EAGAIN) continue;
    if (StopRequested()) continue;
    error_ = errno;
    result = Result::kFailed;
    return false;
  }
}

LineReader::Result LineReader::Next(std::string &line) {
  line.clear();
  bool any = false;
  for (;;) {
    if (begin_ == end_) {
      Result result = Result::kEnd;
      if (ended_ || !Fill(result)) {
        if (result == Result::kEnd && any) break;  // a last line without line end
        return result;
      }
    }
    any = true;
    const char *start = buffer_.data() + begin_;
    const void *newline = std::memchr(start, '\n', end_ - begin_);
    if (newline == nullptr) {
      line.append(start, end_ - begin_);
      begin_ = end_;
      continue;
    }
    const size_t length = static_cast<size_t>(static_cast<const char *>(newline) - start);
    line.append(start, length);
    begin_ += length + 1;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    return Result::kLine;
  }
  return Result::kLine;
}

bool IsRegularFile(int descriptor) {
  struct stat status;
  return fstat(descriptor, &status) == 0 && (status.st_mode & S_IFMT) == S_IFREG;
}

bool CountLines(int descriptor, long long &count) {
  if (!IsRegularFile(descriptor)) {
    errno = ESPIPE;
    return false;
  }
  const long long start = Seek(descriptor, 0, SEEK_CUR);
  if (start < 0) return false;
  std::vector<char> buffer(kBufferBytes);
  count = 0;
  char last = '\n';
  long got;
  while ((got = ReadSome(descriptor, buffer.data(), buffer.size())) > 0) {
    for (const char *p = buffer.data(), *end = p + got;
         (p = static_cast<const char *>(std::memchr(p, '\n', static_cast<size_t>(end - p)))) != nullptr; ++p) {
      ++count;
    }
    last = buffer[static_cast<size_t>(got) - 1];
  }
  const int readError = errno;
  if (last != '\n') ++count;
  if (Seek(descriptor, start, SEEK_SET) < 0) return false;
  if (got < 0) {
    errno = readError;
    return false;
  }
  return true;
}

int SpoolToTemporaryFile(int descriptor) {
  std::FILE *spool = std::tmpfile();
  if (spool == nullptr) return -1;
  std::vector<char> buffer(kBufferBytes);
  long got;
  for (;;) {
    got = ReadSome(descriptor, buffer.data(), buffer.size());
    if (got < 0 && errno == EINTR && !StopRequested()) continue;
    if (got <= 0) break;
    if (std::fwrite(buffer.data(), 1, static_cast<size_t>(got), spool) != static_cast<size_t>(got)) {
      got = -1;
      break;
    }
  }
  if (got < 0 || std::fflush(spool) != 0) {
    const int error = errno;
    std::fclose(spool);
    errno = error;
    return -1;
  }
  // The stream stays open for the rest of the run; its descriptor is read.
  const int spooled = fileno(spool);
  Seek(spooled, 0, SEEK_SET);
  return spooled;
}

}  // namespace qrbatch
