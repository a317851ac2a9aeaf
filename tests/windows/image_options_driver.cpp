// The window's image options, driven from another process: PNG files chosen
// in Set.ini before the program starts, then captioned PNG files with
// modules fitted to the image chosen through the options dialog, where the
// verification row of a build without a decoder is disabled.
//   image_options_driver <exe> <destination> <work folder>
// Lists what it expects decoded in <work>\decode.txt: file TAB text TAB
// "caption" or "plain" (UTF-8), for ZXingReader on Linux.
#include <windows.h>

#include <cstdio>
#include <string>

#include "app_driver_support.h"
#include "options_dialog_layout.h"

using namespace appdriver;

namespace {

const std::wstring kWorkingFolder = L"C:\\brelvanto";
const std::wstring kSettingsFile = L"C:\\brelvanto\\Set.ini";
const std::wstring kUrl = L"https://shop.example.com/product?id=000001&ref=qr";

HWND OptionsDialog() {
  return FindWindowW(Wide(resources::kOptionsDialog.className).c_str(), nullptr);
}

HWND RowList(HWND dialog, size_t row) {
  return GetDlgItem(dialog, resources::kOptionsDialog.firstListId + static_cast<int>(row));
}

// Opens 选项…, chooses PNG, modules fitted to the image and the caption
// column, checks the verification row, and confirms.
void ChooseCaptionedPng(const App &app) {
  app.Click("按钮5");
  HWND dialog = nullptr;
  if (!Check(
          WaitFor([&] { return (dialog = OptionsDialog()) != nullptr && IsWindowVisible(dialog); }),
          "options dialog opens"))
    return;
  CheckEqual(SendMessageW(RowList(dialog, resources::kFileTypeRow), CB_GETCURSEL, 0, 0), 1,
             "PNG from Set.ini shown");
  SendMessageW(RowList(dialog, resources::kModuleSizeRow), CB_SETCURSEL, 1, 0);
  SendMessageW(RowList(dialog, resources::kCaptionRow), CB_SETCURSEL, 3, 0);
  // This build reads no image back: the row says so and cannot be changed.
  HWND verify = RowList(dialog, resources::kVerifyRow);
  Check(!IsWindowEnabled(verify), "verification row disabled without a decoder");
  wchar_t shown[64] = {};
  const LRESULT item = SendMessageW(verify, CB_GETCURSEL, 0, 0);
  if (item >= 0 && SendMessageW(verify, CB_GETLBTEXTLEN, static_cast<WPARAM>(item), 0) < 64)
    SendMessageW(verify, CB_GETLBTEXT, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(shown));
  CheckEqual(shown, Wide(resources::kNoDecoderNote), "verification row's note");
  const int ok = resources::kOptionsDialog.okId;
  PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(ok, BN_CLICKED),
               reinterpret_cast<LPARAM>(GetDlgItem(dialog, ok)));
  Check(WaitFor([&] { return !IsWindow(dialog) && IsWindowEnabled(app.Main()); }),
        "options dialog closes");
  Check(WaitFor([&] {
          const std::string file = ReadWholeFile(kSettingsFile);
          return file.find("module=auto\r\n") != std::string::npos &&
                 file.find("caption=column\r\n") != std::string::npos &&
                 file.find("verify=off\r\n") != std::string::npos;
        }),
        "options kept in Set.ini");
}

void Run(const std::wstring &exe, const std::wstring &destination, const std::wstring &work) {
  RemoveFolderTree(kWorkingFolder);
  RemoveFolderTree(destination);
  CreateDirectoryW(kWorkingFolder.c_str(), nullptr);
  // The settings file as an earlier session left it: PNG files.
  {
    FILE *settings = _wfopen(kSettingsFile.c_str(), L"wb");
    if (!Check(settings != nullptr, "Set.ini written")) return;
    std::fprintf(settings, "[preservation]\r\nroute=%s\r\nfiletype=png\r\n",
                 Gbk(destination).c_str());
    std::fclose(settings);
  }
  FILE *decode = _wfopen((work + L"\\decode.txt").c_str(), L"w");
  if (!Check(decode != nullptr, "decode list opens")) return;
  App app;
  if (!app.Start(exe)) return;
  CheckEqual(app.Text("编辑框2"), destination, "destination from Set.ini");

  app.SetText("编辑框1", L"HELLO 1\r\n价格 100\r\n");
  app.Click("按钮2");
  Check(WaitFor([&] { return app.Text("透明标签6") == L"2"; }), "two PNG lines written");
  for (const wchar_t *name : {L"HELLO 1", L"价格 100"}) {
    Check(FileExists(destination + L"\\" + name + L".png"), Utf8(name) + ".png written");
    Check(!FileExists(destination + L"\\" + name + L".jpg"), Utf8(name) + ": no bitmap");
  }
  std::fprintf(decode, "HELLO 1.png\tHELLO 1\tplain\n");

  ChooseCaptionedPng(app);
  app.SetText("编辑框1", L"P000001\t" + kUrl + L"\t资产编号 P000001\r\n");
  app.Click("按钮2");
  Check(WaitFor([&] { return FileExists(destination + L"\\P000001.png"); }),
        "captioned P000001.png written");
  Check(WaitFor([&] { return app.Text("透明标签6") == L"1"; }), "one captioned line written");
  Check(app.FindDialog() == nullptr, "no report after a clean batch");
  std::fprintf(decode, "P000001.png\t%s\tcaption\n", Utf8(kUrl).c_str());
  std::fclose(decode);
  PostMessageW(app.Main(), WM_CLOSE, 0, 0);
  CheckEqual(app.WaitExit(), 0, "the window closes");
}

}  // namespace

int wmain(int argc, wchar_t **argv) {
  if (argc != 4) {
    std::printf("usage: image_options_driver <exe> <destination> <work folder>\n");
    return 2;
  }
  Run(argv[1], argv[2], argv[3]);
  std::printf("image options: %d failure(s)\n", failures);
  return failures == 0 ? 0 : 1;
}
