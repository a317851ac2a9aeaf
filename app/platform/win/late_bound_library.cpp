#include "late_bound_library.h"

#include <utility>

#include "text_codec.h"
#include "wide_path.h"

namespace qrplatform {
namespace {

std::wstring SystemFolder() {
  std::wstring folder(MAX_PATH, L'\0');
  for (;;) {
    const UINT length = GetSystemDirectoryW(&folder[0], static_cast<UINT>(folder.size()));
    if (length == 0) return std::wstring();
    if (length < folder.size()) {
      folder.resize(length);
      return folder;
    }
    folder.resize(length + 1);
  }
}

}  // namespace

LateBoundLibrary::LateBoundLibrary(std::string folder, std::string fileName, Origin origin)
    : folder_(std::move(folder)), fileName_(std::move(fileName)), origin_(origin) {}

// Only ever by the full path: a relative or empty folder loads nothing.
HMODULE LateBoundLibrary::Load() const {
  const std::wstring folder =
      origin_ == Origin::kSystem ? SystemFolder() : qrtext::WideFromAnsi(folder_);
  const std::wstring path = folder + L"\\" + qrtext::WideFromAnsi(fileName_);
  if (folder.empty() || !IsAbsolutePath(path)) return nullptr;
  return LoadLibraryExW(SystemPath(path).c_str(), nullptr, 0);
}

FARPROC LateBoundLibrary::Function(const char *name) {
  if (!module_) module_ = Load();
  FARPROC function = module_ ? GetProcAddress(module_, name) : nullptr;
  if (!function) ExitForMissingFunction(fileName_, name);
  return function;
}

void RestrictLibrarySearchToSystem() {
  using SetDefaultDllDirectoriesFunction = BOOL(WINAPI *)(DWORD);
  const HMODULE kernel = GetModuleHandleW(L"kernel32.dll");
  const auto setDefaultDirectories = reinterpret_cast<SetDefaultDllDirectoriesFunction>(
      reinterpret_cast<void *>(GetProcAddress(kernel, "SetDefaultDllDirectories")));
  if (setDefaultDirectories) setDefaultDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32);
}

void ExitForMissingFunction(const std::string &library, const std::string &function) {
  const std::wstring text = qrtext::WideFromUtf8("无法找到指定DLL库文件“") +
                            qrtext::WideFromAnsi(library) + qrtext::WideFromUtf8("”中的输出命令“") +
                            qrtext::WideFromAnsi(function) + qrtext::WideFromUtf8("”");
  MessageBoxW(GetActiveWindow(), text.c_str(), qrtext::WideFromUtf8("错误").c_str(),
              MB_OK | MB_ICONERROR | MB_TASKMODAL);
  ExitProcess(1);
}

}  // namespace qrplatform
