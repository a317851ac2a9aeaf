// The program's file functions on Windows: a write replaces a file in one
// step (a hard link to the old file keeps the old bytes, nothing is left
// under a temporary name, a folder under the name survives), and paths
// longer than MAX_PATH work.
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "text_codec.h"
#include "utf8_file_system.h"

namespace {

int failures = 0;

void Check(bool condition, const std::string &what) {
  if (condition) return;
  ++failures;
  std::printf("FAILED: %s\n", what.c_str());
}

std::wstring ExtendedLength(const std::wstring &path) { return L"\\\\?\\" + path; }

std::string Content(const std::wstring &path) {
  HANDLE file = CreateFileW(ExtendedLength(path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                            OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return "<missing>";
  std::string bytes;
  char buffer[4096];
  DWORD got = 0;
  while (ReadFile(file, buffer, sizeof buffer, &got, nullptr) && got > 0) bytes.append(buffer, got);
  CloseHandle(file);
  return bytes;
}

std::vector<std::wstring> Names(const std::wstring &folder) {
  std::vector<std::wstring> names;
  WIN32_FIND_DATAW entry;
  HANDLE find = FindFirstFileW(ExtendedLength(folder + L"\\*").c_str(), &entry);
  if (find == INVALID_HANDLE_VALUE) return names;
  do {
    const std::wstring name = entry.cFileName;
    if (name != L"." && name != L"..") names.push_back(name);
  } while (FindNextFileW(find, &entry));
  FindClose(find);
  return names;
}

void RemoveTree(const std::wstring &folder) {
  for (const std::wstring &name : Names(folder)) {
    const std::wstring path = ExtendedLength(folder + L"\\" + name);
    SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    if (GetFileAttributesW(path.c_str()) & FILE_ATTRIBUTE_DIRECTORY)
      RemoveTree(folder + L"\\" + name);
    else
      DeleteFileW(path.c_str());
  }
  RemoveDirectoryW(ExtendedLength(folder).c_str());
}

std::string Utf8(const std::wstring &path) { return qrtext::CodePageFromWide(65001, path); }

void WritesReplaceInOneStep(qrplatform::Utf8FileSystem &files, const std::wstring &folder) {
  const std::wstring target = folder + L"\\a.jpg";
  Check(files.WriteFile(Utf8(target), "BM first"), "a new file is written");
  Check(Content(target) == "BM first", "the new file holds the bytes");

  Check(CreateHardLinkW((folder + L"\\kept.jpg").c_str(), target.c_str(), nullptr) != FALSE,
        "a hard link is made");
  Check(files.WriteFile(Utf8(target), "BM second"), "the file is replaced");
  Check(Content(target) == "BM second", "the replaced file holds the new bytes");
  Check(Content(folder + L"\\kept.jpg") == "BM first", "the hard link keeps the old bytes");

  SetFileAttributesW(target.c_str(), FILE_ATTRIBUTE_HIDDEN);
  Check(files.WriteFile(Utf8(target), ""), "a hidden file is replaced");
  Check(Content(target).empty(), "by an empty file");
  Check(GetFileAttributesW(target.c_str()) == FILE_ATTRIBUTE_NORMAL ||
            GetFileAttributesW(target.c_str()) == FILE_ATTRIBUTE_ARCHIVE,
        "which is not hidden");

  CreateDirectoryW((folder + L"\\folder.jpg").c_str(), nullptr);
  Check(!files.WriteFile(Utf8(folder + L"\\folder.jpg"), "BM"), "a folder under the name fails");
  Check((GetFileAttributesW((folder + L"\\folder.jpg").c_str()) & FILE_ATTRIBUTE_DIRECTORY) != 0,
        "and the folder stays");
  Check(!files.WriteFile(Utf8(folder + L"\\missing\\a.jpg"), "BM"), "a missing folder fails");

  const std::vector<std::wstring> names = Names(folder);
  Check(names.size() == 3, "nothing but a.jpg, kept.jpg and folder.jpg is left (" +
                               std::to_string(names.size()) + " names)");
}

void LongPathsWork(qrplatform::Utf8FileSystem &files, const std::wstring &folder) {
  std::wstring deep = folder;
  for (int level = 0; level < 4; ++level) {
    deep += L"\\" + std::wstring(70, static_cast<wchar_t>(L'a' + level));
    CreateDirectoryW(ExtendedLength(deep).c_str(), nullptr);
  }
  const std::wstring target = deep + L"\\QRCodeWin32.dll";
  Check(target.size() > 300, "the path is longer than MAX_PATH");
  Check(!files.Exists(Utf8(target)), "a missing long path does not exist");
  Check(files.WriteFile(Utf8(target), "MZ engine"), "a long path is written");
  Check(Content(target) == "MZ engine", "the long path holds the bytes");
  Check(files.Exists(Utf8(target)), "a long path exists");
  std::string bytes;
  Check(files.ReadFile(Utf8(target), bytes) && bytes == "MZ engine", "a long path is read");
  Check(files.SetHidden(Utf8(target)), "a long path is hidden");
  Check((GetFileAttributesW(ExtendedLength(target).c_str()) & FILE_ATTRIBUTE_HIDDEN) != 0,
        "hidden");
  Check(Names(deep).size() == 1, "nothing else is left beside it");
  Check(files.Remove(Utf8(target)), "a long path is removed");
  Check(!files.Exists(Utf8(target)), "and is gone");
}

}  // namespace

int main() {
  wchar_t temp[MAX_PATH] = L"";
  GetTempPathW(MAX_PATH, temp);
  const std::wstring folder =
      std::wstring(temp) + L"app_file_system_" + std::to_wstring(GetCurrentProcessId());
  RemoveTree(folder);
  CreateDirectoryW(folder.c_str(), nullptr);
  CreateDirectoryW((folder + L"\\replace").c_str(), nullptr);
  CreateDirectoryW((folder + L"\\long").c_str(), nullptr);

  qrplatform::Utf8FileSystem files;
  WritesReplaceInOneStep(files, folder + L"\\replace");
  LongPathsWork(files, folder + L"\\long");

  RemoveTree(folder);
  std::printf("%s\n", failures ? "app_file_system: FAILED" : "app_file_system: all passed");
  return failures ? 1 : 0;
}
