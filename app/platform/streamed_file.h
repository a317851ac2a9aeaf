// A file written front to back under a temporary name beside its own
// (".qr-PID-N.tmp", which RemoveStaleTemporaries knows) that takes its name
// only when whole and on the disk: readers never see a part of it, and a
// program that stops before publishing leaves none (the temporary is
// removed, or swept by the next batch when the process was killed).
#pragma once

#include <cstddef>
#include <string>

#include "temporary_file.h"

namespace qrplatform {

class StreamedFile {
 public:
  StreamedFile() = default;
  ~StreamedFile();  // removes the temporary unless published
  StreamedFile(const StreamedFile &) = delete;
  StreamedFile &operator=(const StreamedFile &) = delete;

  // Creates the temporary in the folder of `path` (UTF-8; Windows: through
  // the wide API, whatever the code page), the file's name once published.
  bool Create(const std::string &path);
  bool Write(const void *data, size_t size);
  // Flushes the data to the disk, renames the file onto `path` (replacing
  // what is there) and, on POSIX, flushes the folder's entry.
  bool Publish();

  // The system's words for the first failure of the calls above; empty
  // while none failed.
  const std::string &errorText() const { return errorText_; }

 private:
  bool Fail();  // keeps the first failure's text; false

  std::string path_;
  NativePath temporary_;  // empty when there is none (not created, or published)
  std::string errorText_;
#ifdef _WIN32
  void *handle_ = nullptr;
#else
  int fd_ = -1;
#endif
};

}  // namespace qrplatform
