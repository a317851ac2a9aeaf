#include "late_bound_library.h"

#include <utility>

#include "text_codec.h"

namespace qrwin {

LateBoundLibrary::LateBoundLibrary(std::string folder, std::string fileName, Origin origin)
    : folder_(std::move(folder)), fileName_(std::move(fileName)), origin_(origin) {}

FARPROC LateBoundLibrary::Function(const char *name) {
  if (!module_) {
    if (origin_ == Origin::kSystem) {
      char system[MAX_PATH] = "";
      const UINT length = GetSystemDirectoryA(system, MAX_PATH);
      if (length > 0 && length < MAX_PATH)
        module_ = LoadLibraryA((std::string(system) + "\\" + fileName_).c_str());
    } else {
      module_ = LoadLibraryA((folder_ + "\\" + fileName_).c_str());
      if (!module_) module_ = LoadLibraryA(fileName_.c_str());
    }
  }
  FARPROC function = module_ ? GetProcAddress(module_, name) : nullptr;
  if (!function) ExitForMissingFunction(fileName_, name);
  return function;
}

void ExitForMissingFunction(const std::string &library, const std::string &function) {
  const std::wstring text = WideFromUtf8("无法找到指定DLL库文件“") + WideFromAnsi(library) +
                            WideFromUtf8("”中的输出命令“") + WideFromAnsi(function) +
                            WideFromUtf8("”");
  MessageBoxW(GetActiveWindow(), text.c_str(), WideFromUtf8("错误").c_str(),
              MB_OK | MB_ICONERROR | MB_TASKMODAL);
  ExitProcess(1);
}

}  // namespace qrwin
