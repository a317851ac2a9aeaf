// Functions of a library bound by name the first time they are called. A
// library or function that cannot be found ends the program with the
// runtime's fatal message naming both.
#pragma once

#include <windows.h>

#include <string>

namespace qrplatform {

class LateBoundLibrary {
 public:
  // A program library is loaded from `folder` (ANSI, absolute) only; a
  // system library from the system folder only. Neither is ever searched
  // for by its bare name, so no file planted in the current folder or on
  // the PATH is taken.
  enum class Origin { kProgram, kSystem };

  LateBoundLibrary(std::string folder, std::string fileName, Origin origin);
  LateBoundLibrary(const LateBoundLibrary &) = delete;
  LateBoundLibrary &operator=(const LateBoundLibrary &) = delete;

  // Never returns null: a missing function ends the program.
  FARPROC Function(const char *name);

  template <typename Pointer>
  Pointer Bind(Pointer &slot, const char *name) {
    if (!slot) slot = reinterpret_cast<Pointer>(reinterpret_cast<void *>(Function(name)));
    return slot;
  }

 private:
  HMODULE Load() const;

  std::string folder_;
  std::string fileName_;
  Origin origin_;
  HMODULE module_ = nullptr;
};

// Libraries that are loaded by their bare name (by the program or by the
// system on its behalf) come from the system folder only. Called first of
// all; does nothing on systems without SetDefaultDllDirectories.
void RestrictLibrarySearchToSystem();

// Shows "无法找到指定DLL库文件“<library>”中的输出命令“<function>”" and ends the program.
[[noreturn]] void ExitForMissingFunction(const std::string &library, const std::string &function);

}  // namespace qrplatform
