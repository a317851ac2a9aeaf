// In-memory FileSystem with Windows-style paths ("\" separated, any case
// kept). Folders are stored without a trailing backslash.
#pragma once

#include <map>
#include <set>
#include <string>
#include <vector>

#include "file_system.h"

namespace qrapp::testing {

class MemoryFileSystem : public qrplatform::FileSystem {
 public:
  bool Exists(const std::string &path) override;
  bool IsDirectory(const std::string &path) override;
  bool CreateDirectories(const std::string &path) override;
  bool ReadFile(const std::string &path, std::string &bytes) override;
  bool WriteFile(const std::string &path, std::string_view bytes) override;
  bool SetHidden(const std::string &path) override;
  bool Remove(const std::string &path) override;
  int RemoveStaleTemporaries(const std::string &folder) override;

  // The folder a file path lies in.
  static std::string Parent(const std::string &path);

  std::map<std::string, std::string> files;
  std::set<std::string> folders;
  std::set<std::string> hidden;
  std::set<std::string> unwritable;  // writes to these paths fail
  int writes = 0;
  std::vector<std::string> swept;  // folders swept of stale temporaries
};

}  // namespace qrapp::testing
