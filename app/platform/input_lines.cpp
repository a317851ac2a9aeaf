#include "input_lines.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstdio>

#include "descriptor_io.h"
#include "file_lines.h"
#include "stop_request.h"

namespace qrplatform {

namespace {

constexpr size_t kBufferBytes = 64 * 1024;

}  // namespace

LineReader::LineReader(int descriptor, qrtext::InputEncoding encoding)
    : descriptor_(descriptor), buffer_(kBufferBytes), decoder_(encoding) {
  SetBinaryMode(descriptor);
}

bool LineReader::Fill(Result &result) {
  for (;;) {
    if (StopRequested()) {
      result = Result::kStopped;
      return false;
    }
    if (!WaitForInput(descriptor_)) {
      error_ = errno;
      result = Result::kFailed;
      return false;
    }
    if (StopRequested()) continue;
    const long count = ReadSome(descriptor_, buffer_.data(), buffer_.size());
    if (count > 0) {
      decoded_.clear();
      decoder_.Feed(buffer_.data(), static_cast<size_t>(count), decoded_);
      begin_ = 0;
      end_ = decoded_.size();
      if (end_ == 0) continue;  // all held back (part of a mark or of a UTF-16 unit)
      return true;
    }
    if (count == 0) {
      ended_ = true;
      decoded_.clear();
      decoder_.Finish(decoded_);
      begin_ = 0;
      end_ = decoded_.size();
      if (end_ > 0) return true;
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
  for (;;) {
    if (begin_ == end_) {
      Result result = Result::kEnd;
      if (ended_ || !Fill(result)) {
        // Bytes after the last line end are a last line.
        if (result == Result::kEnd && !line.empty()) return Result::kLine;
        return result;
      }
    }
    const char *next = decoded_.data() + begin_;
    const bool complete = cutter_.Take(next, decoded_.data() + end_, line);
    begin_ = static_cast<size_t>(next - decoded_.data());
    // The rest of a line too long for any use is skipped, not kept.
    if (line.size() > kLongestLine) line.resize(kLongestLine + 1);
    if (complete) return Result::kLine;
  }
}

bool IsRegularFile(int descriptor) {
  struct stat status;
  return fstat(descriptor, &status) == 0 && (status.st_mode & S_IFMT) == S_IFREG;
}

bool CountLines(int descriptor, long long &count, qrtext::InputEncoding encoding) {
  if (!IsRegularFile(descriptor)) {
    errno = ESPIPE;
    return false;
  }
  const long long start = Seek(descriptor, 0, SEEK_CUR);
  if (start < 0) return false;
  std::vector<char> buffer(kBufferBytes);
  qrtext::LineCounter counter;
  qrtext::InputDecoder decoder(encoding);
  std::string decoded;
  long got;
  while ((got = ReadSome(descriptor, buffer.data(), buffer.size())) > 0) {
    decoded.clear();
    decoder.Feed(buffer.data(), static_cast<size_t>(got), decoded);
    counter.Add(decoded.data(), decoded.data() + decoded.size());
  }
  const int readError = errno;
  decoded.clear();
  decoder.Finish(decoded);
  counter.Add(decoded.data(), decoded.data() + decoded.size());
  count = counter.Count();
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
    if (std::fwrite(buffer.data(), 1, static_cast<size_t>(got), spool) !=
        static_cast<size_t>(got)) {
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

}  // namespace qrplatform
