// FileSystem over the Windows wide-character file functions, for the
// window's UTF-8 paths: any character, whatever the system's code page;
// long paths in extended-length form.
#pragma once

#include <string>

#include "file_system.h"

namespace qrplatform {

class Utf8FileSystem : public FileSystem {
 public:
  bool Exists(const std::string &path) override;
  bool IsDirectory(const std::string &path) override;
  bool CreateDirectories(const std::string &path) override;
  bool ReadFile(const std::string &path, std::string &bytes) override;
  bool WriteFile(const std::string &path, std::string_view bytes) override;
  bool SetHidden(const std::string &path) override;
  bool Remove(const std::string &path) override;
  int RemoveStaleTemporaries(const std::string &folder) override;
};

}  // namespace qrplatform
