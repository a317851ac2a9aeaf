// FileSystem over the Windows wide-character file functions, for the
// window's UTF-8 paths: any character, whatever the system's code page;
// long paths in extended-length form.
#pragma once

#include <windows.h>

#include <string>

#include "file_system.h"

namespace qrwin {

class Utf8FileSystem : public qrapp::FileSystem {
 public:
  bool Exists(const std::string &path) override;
  bool IsDirectory(const std::string &path) override;
  bool CreateDirectories(const std::string &path) override;
  bool ReadFile(const std::string &path, std::string &bytes) override;
  bool WriteFile(const std::string &path, std::string_view bytes) override;
  bool SetHidden(const std::string &path) override;
  bool Remove(const std::string &path) override;
};

// A file of a name any code page can express (ASCII) in the folder of
// `target` (a wide path), created exclusively so nothing existing is
// touched; its path in `temporary`. INVALID_HANDLE_VALUE when none can be
// made.
HANDLE CreateTemporaryBeside(const std::wstring &target, std::wstring &temporary);

}  // namespace qrwin
