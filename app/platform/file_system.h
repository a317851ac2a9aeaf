// File operations of the window's logic, over the system's: PosixFileSystem
// (posix/) and Utf8FileSystem (win/). Paths are UTF-8 texts.
#pragma once

#include <string>
#include <string_view>

namespace qrplatform {

class FileSystem {
 public:
  virtual ~FileSystem() = default;
  // A file or a folder exists under the path.
  virtual bool Exists(const std::string &path) = 0;
  virtual bool IsDirectory(const std::string &path) = 0;
  // Creates every missing folder along the path; true when it exists after.
  virtual bool CreateDirectories(const std::string &path) = 0;
  // Whole file; false (bytes empty) when it cannot be opened or read.
  virtual bool ReadFile(const std::string &path, std::string &bytes) = 0;
  // Writes all bytes as the file's new content, replacing any file of that
  // name in one step: the path names the old file or the whole new one,
  // never a part. Nothing is left behind when it fails.
  virtual bool WriteFile(const std::string &path, std::string_view bytes) = 0;
  // Sets the attributes to hidden only (no-op success where there are none).
  virtual bool SetHidden(const std::string &path) = 0;
  virtual bool Remove(const std::string &path) = 0;
  // Removes from `folder` what writers killed mid-write left there
  // (RemoveStaleTemporaries); returns how many.
  virtual int RemoveStaleTemporaries(const std::string &folder) = 0;
};

}  // namespace qrplatform
