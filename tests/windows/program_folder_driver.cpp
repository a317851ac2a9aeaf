// The batch generator started from awkward program folders loads its engine
// from there and from nowhere else. One run of the application per call:
//   loads <exe>
//     the engine is deployed beside the executable, "生成" makes a preview
//     there, and the engine loaded is that file, whatever lies elsewhere;
//     nothing lands at the root of the current drive (Q:, or Z: should
//     Wine name the current folder through it).
//   refuses <exe>
//     a library that does not load in place of the engine (while a working
//     engine lies on the PATH): the first generation ends with the fatal
//     message.
// The calling script starts the program; paths are Windows paths.
#include <windows.h>

#include <psapi.h>

#include <cstdio>
#include <string>
#include <vector>

#include "app_driver_support.h"

using namespace appdriver;

namespace {

std::wstring FolderOf(const std::wstring &path) { return path.substr(0, path.find_last_of(L'\\')); }

// Any length: the checks themselves must not stop at MAX_PATH.
std::wstring Long(const std::wstring &path) { return L"\\\\?\\" + path; }

bool AnsiCanExpress(const std::wstring &text) {
  BOOL usedDefault = FALSE;
  WideCharToMultiByte(CP_ACP, 0, text.c_str(), -1, nullptr, 0, nullptr, &usedDefault);
  return !usedDefault;
}

void Describe(const std::wstring &folder) {
  std::printf("program folder: %zu characters, %s in the ANSI code page %u\n", folder.size(),
              AnsiCanExpress(folder) ? "expressible" : "not expressible", GetACP());
}

// Volume and file index: the same file under any of its names (the long
// one, the 8.3 one).
bool SameFile(const std::wstring &a, const std::wstring &b) {
  BY_HANDLE_FILE_INFORMATION info[2] = {};
  const std::wstring paths[2] = {a, b};
  for (int i = 0; i < 2; ++i) {
    HANDLE file =
        CreateFileW(paths[i].c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                    nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    const BOOL ok = GetFileInformationByHandle(file, &info[i]);
    CloseHandle(file);
    if (!ok) return false;
  }
  return info[0].dwVolumeSerialNumber == info[1].dwVolumeSerialNumber &&
         info[0].nFileIndexHigh == info[1].nFileIndexHigh &&
         info[0].nFileIndexLow == info[1].nFileIndexLow;
}

// The files of the process's loaded modules named `name`.
std::vector<std::wstring> ModuleFiles(HANDLE process, const wchar_t *name) {
  std::vector<std::wstring> files;
  HMODULE modules[512];
  DWORD bytes = 0;
  if (!EnumProcessModules(process, modules, sizeof modules, &bytes)) return files;
  for (DWORD i = 0; i < bytes / sizeof modules[0]; ++i) {
    std::wstring path(32768, L'\0');
    path.resize(
        GetModuleFileNameExW(process, modules[i], &path[0], static_cast<DWORD>(path.size())));
    const size_t slash = path.find_last_of(L'\\');
    if (lstrcmpiW(path.c_str() + (slash == std::wstring::npos ? 0 : slash + 1), name) == 0)
      files.push_back(path);
  }
  return files;
}

// Strays would land at the root of the program's current drive.
bool AtTheRoots(const std::wstring &name) {
  return FileExists(L"Q:\\" + name) || FileExists(L"Z:\\" + name);
}

void Loads(const std::wstring &exe) {
  const std::wstring folder = FolderOf(exe);
  Describe(folder);
  App app;
  if (!app.Attach()) return;
  const std::wstring engine = folder + L"\\QRCodeWin32.dll";
  const std::wstring preview = folder + L"\\a.jpg";
  Check(WaitFor([&] { return FileExists(Long(engine)); }, 10000),
        "the engine is deployed beside the program");
  // The program moves the engine into place first and hides it after.
  Check(WaitFor(
            [&] {
              return FileExists(Long(engine)) &&
                     (Attributes(Long(engine)) & FILE_ATTRIBUTE_HIDDEN) != 0;
            },
            10000),
        "the deployed engine is hidden");
  Check(ReadWholeFile(Long(engine)).compare(0, 2, "MZ") == 0, "the deployed engine starts with MZ");

  app.Click("按钮3");
  HWND box = nullptr;
  WaitFor([&] { return FileExists(Long(preview)) || (box = app.FindDialog()) != nullptr; });
  if (box) {
    std::wstring text;
    app.AnswerMessageBox(text);
    Fail("no message box, but got: " + Utf8(text));
    app.WaitExit();
    return;
  }
  Check(WaitFor([&] { return ReadWholeFile(Long(preview)).compare(0, 2, "BM") == 0; }),
        "the engine writes the preview beside the program");
  const std::vector<std::wstring> loaded = ModuleFiles(app.Process(), L"QRCodeWin32.dll");
  if (Check(loaded.size() == 1, "one engine is loaded"))
    Check(SameFile(Long(loaded[0]), Long(engine)),
          "the engine is loaded from the program's folder, not from " + Utf8(loaded[0]));
  Check(!AtTheRoots(L"QRCodeWin32.dll"), "no engine at the root of the current drive");
  Check(!AtTheRoots(L"a.jpg"), "no preview at the root of the current drive");
  PostMessageW(app.Main(), WM_CLOSE, 0, 0);
  CheckEqual(app.WaitExit(), 0, "the program ends normally");
}

void Refuses(const std::wstring &exe) {
  Describe(FolderOf(exe));
  App app;
  if (!app.Attach()) return;
  app.Click("按钮3");
  std::wstring text;
  if (Check(app.AnswerMessageBox(text), "fatal message shown"))
    CheckEqual(text, L"无法找到指定DLL库文件“QRCodeWin32.dll”中的输出命令“QRSetMessage”",
               "fatal message text");
  const int code = app.WaitExit();
  Check(code != 0 && code != -1,
        "the program ends after the fatal message, exit code " + std::to_string(code));
}

}  // namespace

int wmain(int argc, wchar_t **argv) {
  const std::wstring mode = argc > 1 ? argv[1] : L"";
  if (mode == L"loads" && argc == 3) {
    Loads(argv[2]);
  } else if (mode == L"refuses" && argc == 3) {
    Refuses(argv[2]);
  } else {
    std::printf("usage: program_folder_driver loads|refuses <exe>\n");
    return 2;
  }
  std::printf("%s: %d failure(s)\n", Utf8(mode).c_str(), failures);
  return failures == 0 ? 0 : 1;
}
