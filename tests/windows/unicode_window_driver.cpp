// The window under any code page, driven from another process: Chinese
// folder and file names, a destination created whole, the euro sign
// standing alone, a Korean line refused under GBK and written under UTF-8
// with its designator, the options kept across a restart, and a long list
// of failed lines cut to twenty.
//   unicode_window_driver batch <exe> <parent folder> <work folder>
//   unicode_window_driver restart <exe> <parent folder>
// The batch phase lists what it expects decoded in <work>\decode.txt: file
// TAB text TAB how (UTF-8; "gbk": the symbol's bytes are the text in GBK,
// "text": a scanner shows the text itself), for ZXingReader on Linux.
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "app_driver_support.h"
#include "options_dialog_layout.h"

using namespace appdriver;

namespace {

const std::wstring kWorkingFolder = L"C:\\brelvanto";
const std::wstring kSettingsFile = L"C:\\brelvanto\\Set.ini";

std::wstring Destination(const std::wstring &parent) { return parent + L"\\新建文件夹\\输出"; }

HWND OptionsDialog() {
  return FindWindowW(Wide(resources::kOptionsDialog.className).c_str(), nullptr);
}

// Opens 选项…, reads the content encoding's choice, sets `choice` (-1:
// none) and closes with 确定 or 取消.
int OptionsRound(const App &app, int choice, bool confirm) {
  app.Click("按钮5");
  HWND dialog = nullptr;
  // Shown once its rows are built.
  if (!Check(
          WaitFor([&] { return (dialog = OptionsDialog()) != nullptr && IsWindowVisible(dialog); }),
          "options dialog opens"))
    return -1;
  CheckEqual(WindowText(dialog), L"选项", "options dialog title");
  Check(!IsWindowEnabled(app.Main()), "main window disabled while the options are open");
  HWND list = GetDlgItem(dialog, resources::kOptionsDialog.firstListId);
  const int shown = static_cast<int>(SendMessageW(list, CB_GETCURSEL, 0, 0));
  if (choice >= 0) SendMessageW(list, CB_SETCURSEL, static_cast<WPARAM>(choice), 0);
  const int button = confirm ? resources::kOptionsDialog.okId : resources::kOptionsDialog.cancelId;
  PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED),
               reinterpret_cast<LPARAM>(GetDlgItem(dialog, button)));
  Check(WaitFor([&] { return !IsWindow(dialog) && IsWindowEnabled(app.Main()); }),
        "options dialog closes");
  return shown;
}

bool RunBatchToReport(const App &app, const std::wstring &input, std::wstring &report) {
  app.SetText("编辑框1", input);
  app.Click("按钮2");
  if (!Check(WaitFor([&] { return app.FindDialog() != nullptr; }, 60000), "batch report shown"))
    return false;
  return Check(app.AnswerMessageBox(report), "batch report answered");
}

void CheckContains(const std::wstring &text, const std::wstring &part, const std::string &what) {
  Check(text.find(part) != std::wstring::npos,
        what + ": \"" + Utf8(part) + "\" not in \"" + Utf8(text) + "\"");
}

// No temporary file of the engine or of the window is left in the folder.
void CheckNoTemporaries(const std::wstring &folder) {
  WIN32_FIND_DATAW found;
  HANDLE search = FindFirstFileW((folder + L"\\*.tmp").c_str(), &found);
  Check(search == INVALID_HANDLE_VALUE, "no temporary file left in the destination");
  if (search != INVALID_HANDLE_VALUE) FindClose(search);
}

void Batch(const std::wstring &exe, const std::wstring &parent, const std::wstring &work) {
  RemoveFolderTree(kWorkingFolder);
  const std::wstring destination = Destination(parent);
  RemoveFolderTree(parent + L"\\新建文件夹");
  FILE *decode = _wfopen((work + L"\\decode.txt").c_str(), L"w");
  if (!Check(decode != nullptr, "decode list opens")) return;
  App app;
  if (!app.Start(exe)) return;
  CheckEqual(app.Text("按钮5"), L"选项…", "options button caption");

  // GBK, the default: the euro sign keeps its line end, a Korean line is
  // refused and not counted, the missing folder is made first.
  app.SetText("编辑框2", destination);
  std::wstring report;
  const std::wstring input = L"苹果手机 iPhone 15\r\n价格 100€\r\n下一行\r\n한국어 상품\r\n";
  if (RunBatchToReport(app, input, report)) {
    CheckEqual(app.Text("透明标签5"), L"4", "four lines counted");
    CheckEqual(app.Text("透明标签6"), L"3", "three lines written");
    CheckContains(report, L"共 1 行", "one line refused");
    CheckContains(report, L"第 4 行 \"한국어 상품\": 含有 GBK 无法表示的字符", "Korean under GBK");
  }
  for (const wchar_t *name : {L"苹果手机 iPhone 15", L"价格 100€", L"下一行"})
    Check(FileExists(destination + L"\\" + name + L".jpg"), Utf8(name) + ".jpg written");
  Check(!FileExists(destination + L"\\한국어 상품.jpg"), "no file for the Korean line");
  Check(!FileExists(destination + L"\\??? ??.jpg"), "no file of question marks");
  CheckNoTemporaries(destination);
  for (const wchar_t *name : {L"苹果手机 iPhone 15", L"价格 100€"})
    std::fprintf(decode, "%s.jpg\t%s\t%s\n", Utf8(name).c_str(), Utf8(name).c_str(), "gbk");

  // UTF-8 with its designator writes the Korean line.
  CheckEqual(OptionsRound(app, 1, true), 0, "options open at GBK");
  Check(WaitFor([&] {
          return ReadWholeFile(kSettingsFile).find("encoding=utf-8\r\n") != std::string::npos;
        }),
        "encoding kept in Set.ini");
  app.SetText("编辑框1", L"한국어 상품\r\n表情😀\r\n");
  app.Click("按钮2");
  Check(WaitFor([&] { return app.Text("透明标签6") == L"2"; }), "two UTF-8 lines written");
  Check(app.FindDialog() == nullptr, "no report after a clean batch");
  for (const wchar_t *name : {L"한국어 상품", L"表情😀"}) {
    Check(FileExists(destination + L"\\" + name + L".jpg"), Utf8(name) + ".jpg written");
    std::fprintf(decode, "%s.jpg\t%s\t%s\n", Utf8(name).c_str(), Utf8(name).c_str(), "text");
  }
  CheckNoTemporaries(destination);

  // Thirty failed lines: twenty listed, the rest counted.
  std::wstring bad;
  for (int i = 1; i <= 30; ++i) bad += L"bad:" + std::to_wstring(i) + L"\r\n";
  if (RunBatchToReport(app, bad, report)) {
    CheckContains(report, L"共 30 行", "thirty failed lines counted");
    CheckContains(report, L"第 20 行", "twentieth line listed");
    Check(report.find(L"第 21 行") == std::wstring::npos, "twenty-first line not listed");
    CheckContains(report, L"…及其他 10 行", "the rest counted");
  }
  std::fclose(decode);
  PostMessageW(app.Main(), WM_CLOSE, 0, 0);
  CheckEqual(app.WaitExit(), 0, "the window closes");
}

void Restart(const std::wstring &exe, const std::wstring &parent) {
  App app;
  if (!app.Start(exe)) return;
  CheckEqual(app.Text("编辑框2"), Destination(parent), "Chinese destination restored");
  CheckEqual(OptionsRound(app, 0, false), 1, "UTF-8 remembered across a restart");
  Check(ReadWholeFile(kSettingsFile).find("encoding=utf-8\r\n") != std::string::npos,
        "a cancelled dialog keeps the setting");
  // A folder GBK cannot name is kept as UTF-8 behind a byte-order mark.
  app.SetText("编辑框2", L"D:\\한국어");
  Check(ReadWholeFile(kSettingsFile).find("route=\xEF\xBB\xBF" + Utf8(L"D:\\한국어") + "\r\n") !=
            std::string::npos,
        "a folder GBK cannot name is stored in UTF-8");
  app.SetText("编辑框2", Destination(parent));
  PostMessageW(app.Main(), WM_CLOSE, 0, 0);
  CheckEqual(app.WaitExit(), 0, "the window closes");
}

}  // namespace

int wmain(int argc, wchar_t **argv) {
  const std::wstring phase = argc > 1 ? argv[1] : L"";
  if (phase == L"batch" && argc == 5) {
    Batch(argv[2], argv[3], argv[4]);
  } else if (phase == L"restart" && argc == 4) {
    Restart(argv[2], argv[3]);
  } else {
    std::printf("usage: unicode_window_driver batch|restart ...\n");
    return 2;
  }
  std::printf("%s (code page %u): %d failure(s)\n", Utf8(phase).c_str(), GetACP(), failures);
  return failures == 0 ? 0 : 1;
}
