// Drives the batch generator through its main window, as a user would, in
// one of three phases (each a separate run of the application):
//   first-run <exe> <destination> <built engine dll> <work folder>
//     layout, first-run effects, size coupling, batch, lines that cannot
//     give a readable image, single symbol, save, Esc; writes <work>\manifest.txt listing every
//     image and its message for the decoder check that follows on the Linux side.
//   restart <exe> <destination> <work folder>
//     the destination folder is restored; then waits for the window to be
//     closed from outside (a real Esc key).
//   missing-engine <exe>
//     a folder in place of the engine library: the first generation ends the
//     program with the fatal message.
// Paths are Windows paths. Pause points <work>\<name>.ready / .done let the
// calling script take screenshots and press keys.
#include <windows.h>

#include <shlobj.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "app_driver_batch.h"
#include "app_driver_layout.h"
#include "app_driver_support.h"
#include "main_window_layout.h"
#include "ui_texts.h"

using namespace appdriver;

namespace {

const std::wstring kWorkingFolder = L"C:\\brelvanto";
const std::wstring kSettingsFile = L"C:\\brelvanto\\Set.ini";

std::wstring FolderOf(const std::wstring &path) { return path.substr(0, path.find_last_of(L'\\')); }

struct DescendantSearch {
  const wchar_t *className;
  HWND found;
};

BOOL CALLBACK FindDescendantProc(HWND child, LPARAM parameter) {
  auto *search = reinterpret_cast<DescendantSearch *>(parameter);
  wchar_t name[64] = L"";
  GetClassNameW(child, name, 64);
  if (lstrcmpiW(name, search->className) != 0) return TRUE;
  search->found = child;
  return FALSE;
}

HWND FindDescendant(HWND parent, const wchar_t *className) {
  DescendantSearch search = {className, nullptr};
  if (parent) EnumChildWindows(parent, FindDescendantProc, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

// Lets the calling script act (screenshot, key press) at a known point.
void Pause(const std::wstring &work, const std::wstring &name) {
  const std::wstring ready = work + L"\\" + name + L".ready";
  const std::wstring done = work + L"\\" + name + L".done";
  HANDLE file = CreateFileW(ready.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  CloseHandle(file);
  Check(WaitFor([&] { return FileExists(done); }, 30000), "script answers at " + Utf8(name));
}

struct BitmapSize {
  int width = 0, height = 0, bitCount = 0;
};

BitmapSize SizeOfBitmapFile(const std::string &bytes) {
  BitmapSize size;
  if (bytes.size() < 54 || bytes.compare(0, 2, "BM") != 0) return size;
  std::memcpy(&size.width, &bytes[18], 4);
  std::memcpy(&size.height, &bytes[22], 4);
  unsigned short bitCount = 0;
  std::memcpy(&bitCount, &bytes[28], 2);
  size.bitCount = bitCount;
  return size;
}

// A message box where none belongs (a report of failed lines) is a failure;
// it is answered so the run can go on.
void AnswerUnexpectedMessageBox(const App &app) {
  std::wstring text;
  if (app.FindDialog() && app.AnswerMessageBox(text, 0))
    Fail("unexpected message box: " + Utf8(text));
}

// ---------------------------------------------------------------- phases

void CheckFirstRunFiles(const std::wstring &exe, const std::wstring &builtEngine) {
  Check((Attributes(kWorkingFolder) & FILE_ATTRIBUTE_DIRECTORY) && FileExists(kWorkingFolder),
        "working folder created");
  const std::string settings = ReadWholeFile(kSettingsFile);
  Check(settings.find("[preservation]") != std::string::npos &&
            settings.find("route=") != std::string::npos,
        "Set.ini holds route in [preservation], got \"" + settings + "\"");

  const std::wstring engine = FolderOf(exe) + L"\\QRCodeWin32.dll";
  const DWORD attributes = Attributes(engine);
  if (Check(attributes != INVALID_FILE_ATTRIBUTES, "engine library deployed next to the program")) {
    Check((attributes & FILE_ATTRIBUTE_HIDDEN) != 0, "deployed engine library is hidden");
    const std::string built = ReadWholeFile(builtEngine);
    Check(!built.empty() && ReadWholeFile(engine) == built,
          "deployed engine library equals the built one");
  }
}

void CheckSizeCoupling(const App &app) {
  // Typed: the height follows the width key by key.
  app.SetText("编辑框4", L"");
  for (wchar_t key : std::wstring(L"300")) PostMessageW(app.Control("编辑框4"), WM_CHAR, key, 1);
  Check(WaitFor([&] { return app.Text("编辑框5") == L"300"; }),
        "typing 300 into 编辑框4 shows 300 in 编辑框5");
  // Set by the program.
  app.SetText("编辑框4", L"280");
  CheckEqual(app.Text("编辑框5"), L"280", "编辑框5 follows a set 编辑框4");
  app.SetText("编辑框4", L"300");
  app.SetText("编辑框5", L"240");
  CheckEqual(app.Text("编辑框4"), L"300", "编辑框4 does not follow 编辑框5");
}

// Setting a text raises the change event even when the text stays the same;
// the multi-line box raises none of its own for WM_SETTEXT.
void CheckChangeEvents(const App &app) {
  const std::wstring input = app.Text("编辑框1");
  app.SetText("透明标签5", L"x");
  app.SetText("编辑框1", input);
  CheckEqual(app.Text("透明标签5"), L"3", "unchanged input text still recounts");
}

void RunBatch(const App &app, const std::wstring &destination, FILE *manifest) {
  app.SetText("编辑框2", destination);
  const std::string settings = ReadWholeFile(kSettingsFile);
  Check(settings.find("route=" + Gbk(destination) + "\r\n") != std::string::npos,
        "destination stored as GBK in Set.ini, got \"" + settings + "\"");

  const std::vector<std::wstring> lines = {L"测试数据", L"", L" x 1 ", L"20210706001"};
  std::wstring input;
  for (const std::wstring &line : lines) input += line + L"\r\n";
  app.SetText("编辑框1", input);
  CheckEqual(app.Text("透明标签5"), std::to_wstring(lines.size()), "line count after new input");
  SendMessageW(app.Control("组合框_纠错1"), CB_SETCURSEL, 3, 0);  // H(30%)
  SendMessageW(app.Control("组合框_版本1"), CB_SETCURSEL, 2, 0);  // version 2

  app.Click("按钮2");
  const std::wstring total = std::to_wstring(lines.size());
  Check(WaitFor(
            [&] {
              AnswerUnexpectedMessageBox(app);
              return app.Text("透明标签6") == total && app.Text("透明标签12") == L"100%";
            },
            60000),
        "batch finishes");
  CheckEqual(app.Width("标签1"), 200, "progress bar full");
  AnswerUnexpectedMessageBox(app);
  Check(DarkPixelsIn(app.Control("图片框1")) > 0, "preview shows the last symbol");

  for (const std::wstring &line : lines) {
    const std::wstring file = destination + L"\\" + line + L".jpg";
    const BitmapSize size = SizeOfBitmapFile(ReadWholeFile(file));
    CheckEqual(size.width, 300, "width of " + Utf8(file));
    CheckEqual(size.height, 240, "height of " + Utf8(file));
    CheckEqual(size.bitCount, 1, "bits per pixel of " + Utf8(file));
    std::fprintf(manifest, "destination\t%s\t%s\tH\n", Hex(Gbk(line + L".jpg")).c_str(),
                 Hex(Gbk(line)).c_str());
  }
}

void GenerateSingle(const App &app, const std::wstring &exe, const std::wstring &work,
                    FILE *manifest) {
  const std::wstring preview = FolderOf(exe) + L"\\a.jpg";
  SendMessageW(app.Control("组合框_纠错1"), CB_SETCURSEL, 1, 0);  // M(15%)
  SendMessageW(app.Control("组合框_版本1"), CB_SETCURSEL, 0, 0);  // automatic

  // Empty text: the warning text is put into the box and encoded.
  app.SetText("编辑框123456", L"");
  app.SetText("编辑框3", L"250");
  app.Click("按钮3");
  const std::wstring warning = L"未检测到你输入了内容";
  Check(WaitFor([&] { return app.Text("编辑框123456") == warning && FileExists(preview); }),
        "empty single text replaced by the warning");
  WaitFor([&] { return SizeOfBitmapFile(ReadWholeFile(preview)).width == 250; });
  CopyFileW(preview.c_str(), (work + L"\\warning.jpg").c_str(), FALSE);
  std::fprintf(manifest, "work\t%s\t%s\tM\n", Hex("warning.jpg").c_str(),
               Hex(Gbk(warning)).c_str());

  DeleteFileW(preview.c_str());
  app.SetText("编辑框123456", L"单个二维码 Single");
  app.SetText("编辑框3", L"200");
  app.Click("按钮3");
  Check(WaitFor([&] { return SizeOfBitmapFile(ReadWholeFile(preview)).width == 200; }),
        "生成 writes a.jpg");
  Check((Attributes(preview) & FILE_ATTRIBUTE_HIDDEN) != 0, "a.jpg is hidden");
  const BitmapSize size = SizeOfBitmapFile(ReadWholeFile(preview));
  CheckEqual(size.height, 200, "a.jpg is square");
  std::fprintf(manifest, "program\t%s\t%s\tM\n", Hex("a.jpg").c_str(),
               Hex(Gbk(L"单个二维码 Single")).c_str());
  Check(WaitFor([&] { return DarkPixelsIn(app.Control("图片框1")) > 0; }, 5000),
        "preview shows the single symbol");
}

// 保存: the save dialog takes a name; the file is a copy of the preview.
void SavePreview(const App &app, const std::wstring &exe, const std::wstring &work) {
  const std::wstring target = work + L"\\保存的.jpg";
  app.Click("按钮4");
  HWND dialog = nullptr;
  if (!Check(WaitFor([&] { return (dialog = app.FindDialog()) != nullptr; }), "save dialog opens"))
    return;
  // The file name box of the dialog: edt1, or the edit inside cmb13.
  HWND name = GetDlgItem(dialog, 0x480);
  if (!name) name = FindDescendant(GetDlgItem(dialog, 0x47c), L"Edit");
  if (!Check(name != nullptr, "file name box of the save dialog")) return;
  SendMessageW(name, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(target.c_str()));
  PostMessageW(dialog, WM_COMMAND, IDOK, 0);
  Check(WaitFor([&] { return FileExists(target) && !IsWindow(dialog); }), "saved file written");
  Check(WaitFor([&] { return ReadWholeFile(target) == ReadWholeFile(FolderOf(exe) + L"\\a.jpg"); },
                5000),
        "saved file is a copy of the preview");
  Check(FileExists(FolderOf(exe) + L"\\a.bmp"), "a.bmp written beside the program");
}

// 按钮1: the shell's folder browser, owned by the main window. Cancelling
// keeps the folder; confirming takes the selected folder (the desktop, where
// the browser starts).
void ChooseFolder(const App &app, const std::wstring &destination) {
  wchar_t desktop[MAX_PATH] = L"";
  SHGetFolderPathW(nullptr, CSIDL_DESKTOPDIRECTORY, nullptr, SHGFP_TYPE_CURRENT, desktop);
  for (const bool confirm : {false, true}) {
    app.Click("按钮1");
    HWND dialog = nullptr;
    if (!Check(WaitFor([&] { return (dialog = app.FindDialog()) != nullptr; }),
               "folder browser opens"))
      return;
    Check(!IsWindowEnabled(app.Main()), "main window disabled while the browser is open");
    bool titled = false;
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
      titled |= WindowText(child) == L"选择保存位置";
    Check(titled, "folder browser titled 选择保存位置");
    PostMessageW(dialog, WM_COMMAND, confirm ? IDOK : IDCANCEL, 0);
    Check(WaitFor([&] { return !IsWindow(dialog) && IsWindowEnabled(app.Main()); }),
          "folder browser closes");
    if (!confirm)
      CheckEqual(app.Text("编辑框2"), destination, "cancelled folder browser keeps the folder");
  }
  CheckEqual(app.Text("编辑框2"), desktop, "confirmed folder browser sets the chosen folder");
  Check(ReadWholeFile(kSettingsFile).find("route=" + Gbk(desktop) + "\r\n") != std::string::npos,
        "chosen folder stored");
  app.SetText("编辑框2", destination);
}

void FirstRun(const std::wstring &exe, const std::wstring &destination,
              const std::wstring &builtEngine, const std::wstring &work) {
  RemoveFolderTree(kWorkingFolder);
  Check(!FileExists(kWorkingFolder), "no working folder before the first run");
  FILE *manifest = _wfopen((work + L"\\manifest.txt").c_str(), L"w");
  if (!Check(manifest != nullptr, "manifest opens")) return;

  App app;
  if (app.Start(exe)) {
    CheckMainWindow(app);
    CheckControls(app);
    CheckFirstRunFiles(exe, builtEngine);
    CheckSizeCoupling(app);
    CheckChangeEvents(app);
    RunBatch(app, destination, manifest);
    CheckSingleTooLarge(app, exe);
    CheckBatchFaults(app, destination, manifest);
    CheckLongReport(app);
    ChooseFolder(app, destination);
    GenerateSingle(app, exe, work, manifest);
    Pause(work, L"screenshot");
    SavePreview(app, exe, work);
    // Esc through the message loop, as the keyboard delivers it.
    PostMessageW(app.Control("编辑框1"), WM_KEYDOWN, VK_ESCAPE, 1);
    CheckEqual(app.WaitExit(), 0, "Esc closes the window and ends the program");
  }
  std::fclose(manifest);
}

// Saving before anything was generated, and a batch without a destination
// folder (which would write into the root of the drive), are answered with a
// message instead.
void RefusesWhatWouldFail(const App &app) {
  std::wstring text;
  app.Click("按钮4");
  if (Check(app.AnswerMessageBox(text), "save without a preview is answered"))
    CheckEqual(text, Wide(qrapp::text::kNothingToSave), "message for saving without a preview");
  Check(app.FindDialog() == nullptr, "no save dialog without a preview");

  const std::wstring destination = app.Text("编辑框2");
  app.SetText("编辑框2", L"");
  app.Click("按钮2");
  if (Check(app.AnswerMessageBox(text), "batch without a destination is answered"))
    CheckEqual(text, Wide(qrapp::text::kNoDestination),
               "message for a batch without a destination");
  CheckEqual(app.Text("透明标签6"), L"", "no line processed without a destination");
  app.SetText("编辑框2", destination);
}

void Restart(const std::wstring &exe, const std::wstring &destination, const std::wstring &work) {
  App app;
  if (!app.Start(exe)) return;
  CheckEqual(app.Text("编辑框2"), destination, "destination folder restored");
  CheckEqual(app.Text("编辑框4"), L"200", "sizes start from the layout again");
  CheckEqual(app.Text("编辑框123456"), L"", "single text starts empty again");
  RefusesWhatWouldFail(app);
  Pause(work, L"escape");
  CheckEqual(app.WaitExit(), 0, "the Esc key closes the window");
}

void MissingEngine(const std::wstring &exe) {
  App app;
  if (!app.Start(exe)) return;
  CheckEqual(app.Text("透明标签5"), L"3", "start-up runs without the engine");
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
  const std::wstring phase = argc > 1 ? argv[1] : L"";
  if (phase == L"first-run" && argc == 6) {
    FirstRun(argv[2], argv[3], argv[4], argv[5]);
  } else if (phase == L"restart" && argc == 5) {
    Restart(argv[2], argv[3], argv[4]);
  } else if (phase == L"missing-engine" && argc == 3) {
    MissingEngine(argv[2]);
  } else {
    std::printf("usage: app_driver first-run|restart|missing-engine ...\n");
    return 2;
  }
  std::printf("%s: %d failure(s)\n", Utf8(phase).c_str(), failures);
  return failures == 0 ? 0 : 1;
}
