// Lists into the window, driven from another process: Excel's "Unicode
// text" (UTF-16LE, TAB columns) through 导入… and its open dialog, a file
// dropped on the input box, thirty failed lines with their report file, and
// a Wi-Fi line named by its number.
//   list_import_driver <exe> <parent folder> <work folder>
// Lists the Wi-Fi file in <work>\decode.txt (file TAB text TAB gbk) for
// ZXingReader on Linux.
#include <windows.h>

#include <shlobj.h>  // DROPFILES

#include <cstdio>
#include <cstring>
#include <string>

#include "app_driver_support.h"
#include "options_dialog_layout.h"

using namespace appdriver;

namespace {

// The open dialog's file name box: cmb13 (explorer style), or edt1.
HWND FileNameBox(HWND dialog) {
  HWND box = GetDlgItem(dialog, 0x47C);
  return box ? box : GetDlgItem(dialog, 0x480);
}

void WriteFile(const std::wstring &path, const std::string &bytes) {
  FILE *file = _wfopen(path.c_str(), L"wb");
  if (!Check(file != nullptr, "list file written")) return;
  std::fwrite(bytes.data(), 1, bytes.size(), file);
  std::fclose(file);
}

std::string Utf16Le(const std::wstring &text) {
  std::string bytes = "\xFF\xFE";
  for (const wchar_t unit : text) {
    bytes += static_cast<char>(unit & 0xFF);
    bytes += static_cast<char>((unit >> 8) & 0xFF);
  }
  return bytes;
}

void CheckContains(const std::wstring &text, const std::wstring &part, const std::string &what) {
  Check(text.find(part) != std::wstring::npos,
        what + ": \"" + Utf8(part) + "\" not in \"" + Utf8(text) + "\"");
}

// 导入…, the file typed into the open dialog and 打开 pressed; the result box's text.
bool ImportThroughDialog(const App &app, const std::wstring &path, std::wstring &summary) {
  app.Click("按钮6");
  HWND dialog = nullptr;
  if (!Check(WaitFor([&] {
               dialog = app.FindDialog();
               return dialog && FileNameBox(dialog);
             }),
             "open dialog shown"))
    return false;
  SendMessageW(FileNameBox(dialog), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(path.c_str()));
  PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
               reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDOK)));
  Check(WaitFor([&] { return !IsWindow(dialog); }), "open dialog closes");
  return Check(app.AnswerMessageBox(summary), "import result shown");
}

// A drop as the shell makes it: DROPFILES with one wide path.
bool DropFile(const App &app, const std::wstring &path, std::wstring &summary) {
  const size_t bytes = sizeof(DROPFILES) + (path.size() + 2) * sizeof(wchar_t);
  HGLOBAL memory = GlobalAlloc(GHND, bytes);
  auto *drop = static_cast<DROPFILES *>(GlobalLock(memory));
  drop->pFiles = sizeof(DROPFILES);
  drop->fWide = TRUE;
  std::memcpy(reinterpret_cast<char *>(drop) + sizeof(DROPFILES), path.c_str(),
              path.size() * sizeof(wchar_t));
  GlobalUnlock(memory);
  PostMessageW(app.Control("编辑框1"), WM_DROPFILES, reinterpret_cast<WPARAM>(memory), 0);
  return app.AnswerMessageBox(summary, 3000);
}

// Sets the options row kept under `key` to `choice` and confirms.
void SetOption(const App &app, const char *key, int choice) {
  app.Click("按钮5");
  HWND dialog = nullptr;
  const std::wstring className = Wide(resources::kOptionsDialog.className);
  if (!Check(WaitFor([&] {
               dialog = FindWindowW(className.c_str(), nullptr);
               return dialog && IsWindowVisible(dialog);
             }),
             "options dialog opens"))
    return;
  const int row = static_cast<int>(resources::OptionRowOf(key));
  SendMessageW(GetDlgItem(dialog, resources::kOptionsDialog.firstListId + row), CB_SETCURSEL,
               static_cast<WPARAM>(choice), 0);
  const int ok = resources::kOptionsDialog.okId;
  PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(ok, BN_CLICKED),
               reinterpret_cast<LPARAM>(GetDlgItem(dialog, ok)));
  Check(WaitFor([&] { return !IsWindow(dialog) && IsWindowEnabled(app.Main()); }),
        "options dialog closes");
}

void Run(const std::wstring &exe, const std::wstring &parent, const std::wstring &work) {
  RemoveFolderTree(L"C:\\brelvanto");
  const std::wstring destination = parent + L"\\输出";
  RemoveFolderTree(destination);
  App app;
  if (!app.Start(exe)) return;
  app.SetText("编辑框2", destination);

  // Excel's "Unicode text": UTF-16LE with its mark, TAB columns.
  const std::wstring lines =
      L"苹果手机\thttps://example.com/苹果\r\n价格 100€\t€100\r\n한국어 상품\t표정😀\r\n";
  const std::wstring excel = work + L"\\商品列表.txt";
  WriteFile(excel, Utf16Le(lines));
  std::wstring summary;
  if (ImportThroughDialog(app, excel, summary)) {
    CheckContains(summary, L"已导入 3 行", "import counts its lines");
    CheckContains(summary, L"UTF-16LE", "import names the encoding");
  }
  CheckEqual(app.Text("编辑框1"), lines, "the input box holds the file's lines");
  CheckEqual(app.Text("透明标签5"), L"3", "three lines counted");

  // A file dropped on the input box: Notepad's UTF-8 with its mark.
  const std::wstring dropped = work + L"\\拖入.txt";
  WriteFile(dropped, "\xEF\xBB\xBF" + Utf8(L"拖入一\r\n拖入二\r\n"));
  if (DropFile(app, dropped, summary)) {
    CheckContains(summary, L"已导入 2 行", "a dropped file is imported");
    CheckEqual(app.Text("编辑框1"), L"拖入一\r\n拖入二\r\n", "the dropped file's lines");
  } else {
    std::printf("a drop posted from another process did not arrive\n");
  }

  // Thirty failed lines: twenty listed, every line in the report file.
  std::wstring bad;
  for (int i = 1; i <= 30; ++i) bad += L"bad:" + std::to_wstring(i) + L"\r\n";
  app.SetText("编辑框1", bad);
  app.Click("按钮2");
  std::wstring report;
  if (Check(app.AnswerMessageBox(report, 60000), "report of the failed lines")) {
    CheckContains(report, L"共 30 行", "thirty failed lines counted");
    Check(report.find(L"第 21 行") == std::wstring::npos, "twenty-first line not listed");
    CheckContains(report, L"…及其他 10 行", "the rest counted");
    CheckContains(report, destination + L"\\批量生成报告.csv", "the box names the report file");
  }
  const std::string csv = ReadWholeFile(destination + L"\\批量生成报告.csv");
  Check(csv.rfind("\xEF\xBB\xBFline,name,status,reason\r\n", 0) == 0, "report file starts right");
  Check(csv.find("\r\n30,bad:30.jpg,failed,") != std::string::npos,
        "the report file holds the thirtieth line");

  // A Wi-Fi line is no file name: named by its number it is written.
  SetOption(app, "names", 1);
  const std::wstring wifi = L"WIFI:S:家里;T:WPA;P:pass:word;;";
  app.SetText("编辑框1", wifi + L"\r\n");
  app.Click("按钮2");
  Check(WaitFor([&] { return app.Text("透明标签6") == L"1"; }), "the Wi-Fi line is written");
  Check(app.FindDialog() == nullptr, "no report after the Wi-Fi line");
  Check(FileExists(destination + L"\\1.jpg"), "1.jpg written");
  FILE *decode = _wfopen((work + L"\\decode.txt").c_str(), L"w");
  if (Check(decode != nullptr, "decode list opens")) {
    std::fprintf(decode, "1.jpg\t%s\tgbk\n", Utf8(wifi).c_str());
    std::fclose(decode);
  }
  PostMessageW(app.Main(), WM_CLOSE, 0, 0);
  CheckEqual(app.WaitExit(), 0, "the window closes");
}

}  // namespace

int wmain(int argc, wchar_t **argv) {
  if (argc != 4) {
    std::printf("usage: list_import_driver <exe> <parent folder> <work folder>\n");
    return 2;
  }
  Run(argv[1], argv[2], argv[3]);
  std::printf("list import: %d failure(s)\n", failures);
  return failures == 0 ? 0 : 1;
}
