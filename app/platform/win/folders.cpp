#include "folders.h"

#include <windows.h>

#include "system_error.h"
#include "win_file_system.h"

namespace qrplatform {

char PathSeparator() { return '\\'; }

bool EnsureFolder(const std::string &path, std::string &reason) {
  qrwin::WinFileSystem files;
  // The folder creation of the Windows program wants backslashes.
  std::string folder = path;
  for (char &c : folder)
    if (c == '/') c = '\\';
  if (files.IsDirectory(folder)) return true;
  SetLastError(0);
  if (files.CreateDirectories(folder)) return true;
  reason = GetLastError() == ERROR_ALREADY_EXISTS ? "a file of that name is in the way"
                                                  : LastErrorText();
  return false;
}

}  // namespace qrplatform
