// FileSystem over POSIX calls (paths used as given, bytes unchanged).
#pragma once

#include "file_system.h"

namespace qrplatform {

class PosixFileSystem : public FileSystem {
 public:
  bool Exists(const std::string &path) override;
  bool IsDirectory(const std::string &path) override;
  bool CreateDirectories(const std::string &path) override;
  bool ReadFile(const std::string &path, std::string &bytes) override;
  bool WriteFile(const std::string &path, std::string_view bytes) override;
  bool SetHidden(const std::string &path) override;  // no hidden attribute: true
  bool Remove(const std::string &path) override;
  int RemoveStaleTemporaries(const std::string &folder) override;
};

}  // namespace qrplatform
