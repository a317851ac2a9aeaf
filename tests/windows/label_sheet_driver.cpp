// The window's label sheets, driven from another process: 标签页 PDF chosen
// in Set.ini before the program starts, a batch of two lines, and one
// labels.pdf in the destination with no image file and no temporary file.
//   label_sheet_driver <exe> <destination>
#include <windows.h>

#include <cstdio>
#include <string>

#include "app_driver_support.h"

using namespace appdriver;

namespace {

const std::wstring kWorkingFolder = L"C:\\brelvanto";
const std::wstring kSettingsFile = L"C:\\brelvanto\\Set.ini";

// Files in `folder` matching `pattern`.
int CountFiles(const std::wstring &folder, const wchar_t *pattern) {
  WIN32_FIND_DATAW found;
  HANDLE search = FindFirstFileW((folder + L"\\" + pattern).c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return 0;
  int count = 0;
  do ++count;
  while (FindNextFileW(search, &found));
  FindClose(search);
  return count;
}

void Run(const std::wstring &exe, const std::wstring &destination) {
  RemoveFolderTree(kWorkingFolder);
  RemoveFolderTree(destination);
  CreateDirectoryW(kWorkingFolder.c_str(), nullptr);
  {
    FILE *settings = _wfopen(kSettingsFile.c_str(), L"wb");
    if (!Check(settings != nullptr, "Set.ini written")) return;
    std::fprintf(settings, "[preservation]\r\nroute=%s\r\nfiletype=pdf\r\n",
                 Gbk(destination).c_str());
    std::fclose(settings);
  }
  App app;
  if (!app.Start(exe)) return;
  app.SetText("编辑框1",
              L"资产 P000001\thttps://shop.example.com/product?id=000001\r\n价格 100\r\n");
  app.Click("按钮2");
  Check(WaitFor([&] { return app.Text("透明标签6") == L"2"; }), "two labels placed");
  Check(WaitFor([&] { return FileExists(destination + L"\\labels.pdf"); }), "labels.pdf written");
  Check(app.FindDialog() == nullptr, "no report after a clean batch");
  CheckEqual(CountFiles(destination, L"*"), 3, "labels.pdf alone (with . and ..)");
  PostMessageW(app.Main(), WM_CLOSE, 0, 0);
  CheckEqual(app.WaitExit(), 0, "the window closes");
}

}  // namespace

int wmain(int argc, wchar_t **argv) {
  if (argc != 3) {
    std::printf("usage: label_sheet_driver <exe> <destination>\n");
    return 2;
  }
  Run(argv[1], argv[2]);
  std::printf("label sheets: %d failure(s)\n", failures);
  return failures == 0 ? 0 : 1;
}
