// FileSystem over the Windows wide-character file functions (ANSI paths
// converted, long ones in extended-length form); folder tests and creation
// through PathIsDirectoryA (shlwapi) and MakeSureDirectoryPathExists
// (dbghelp), bound by name.
#pragma once

#include "file_system.h"
#include "late_bound_library.h"

namespace qrwin {

class WinFileSystem : public qrapp::FileSystem {
 public:
  WinFileSystem();

  bool Exists(const std::string &path) override;
  bool IsDirectory(const std::string &path) override;
  bool CreateDirectories(const std::string &path) override;
  bool ReadFile(const std::string &path, std::string &bytes) override;
  bool WriteFile(const std::string &path, std::string_view bytes) override;
  bool SetHidden(const std::string &path) override;
  bool Remove(const std::string &path) override;

 private:
  using PathIsDirectoryFunction = BOOL(__stdcall *)(const char *);
  using MakeSureDirectoryPathExistsFunction = BOOL(__stdcall *)(const char *);

  LateBoundLibrary shellPaths_;
  LateBoundLibrary debugHelp_;
  PathIsDirectoryFunction pathIsDirectory_ = nullptr;
  MakeSureDirectoryPathExistsFunction makeSureDirectoryPathExists_ = nullptr;
};

}  // namespace qrwin
