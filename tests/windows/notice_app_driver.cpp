// Drives the batch generator's notice step, clock and link label from
// another process. The calling script starts the loopback notice server and
// passes its address to the program through QRBATCH_NOTICE_SERVER.
//   notice_app_driver update <exe> <mandatory: 0|1> <link>
//     "信息：" box with the update text, OK; "是否更新" box, Cancel; then
//     either the program ends (mandatory) or the panel is filled.
//   notice_app_driver current <exe> <link>
//     latest version 2: no box at all, the panel is filled.
//   notice_app_driver nonotice <exe>
//     online (the logo comes) but no notice: no box, the title and the
//     panel keep their layout texts.
//   notice_app_driver offline <exe> <max start-up ms>
//     start-up completes within the bound and the layout texts stay.
// Every mode also checks the running clock and the blinking link, and
// (online) the logo drawn from the top-left corner of 图片框2.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "app_driver_support.h"

using namespace appdriver;

namespace {

constexpr std::uint32_t kBlue = 0xFF0000;
constexpr std::uint32_t kRed = 0x0000FF;
// The test logo's leftmost band (notice_make_png.py), as 0x00BBGGRR.
constexpr COLORREF kLogoLeftBand = RGB(200, 30, 30);

int ItemCount(const App &app, const char *combo) {
  DWORD_PTR count = 0;
  SendMessageTimeoutW(app.Control(combo), CB_GETCOUNT, 0, 0, SMTO_NORMAL, 5000, &count);
  return static_cast<int>(count);
}

// The link label publishes its text colour as a window property (colour + 1,
// so that black still reads as present).
std::uint32_t LinkColour(const App &app) {
  const auto stored =
      reinterpret_cast<UINT_PTR>(GetPropW(app.Control("透明标签14"), L"QRTextColour"));
  return stored ? static_cast<std::uint32_t>(stored - 1) : 0xFFFFFFFF;
}

void CheckClockRuns(const App &app) {
  const std::wstring caption = L"北京时间：";
  std::wstring first;
  Check(WaitFor([&] { return (first = app.Text("透明标签20")).size() > caption.size() + 8; }, 5000),
        "the clock label shows a date and a time");
  Check(first.compare(0, caption.size(), caption) == 0, "the clock text starts with 北京时间：");
  Check(WaitFor([&] { return app.Text("透明标签20") != first; }, 5000), "the clock text changes");
  std::printf("clock: %s\n", Utf8(app.Text("透明标签20")).c_str());
}

void CheckLinkBlinks(const App &app) {
  bool sawBlue = false, sawRed = false;
  WaitFor(
      [&] {
        const std::uint32_t colour = LinkColour(app);
        sawBlue |= colour == kBlue;
        sawRed |= colour == kRed;
        return sawBlue && sawRed;
      },
      5000);
  Check(sawBlue && sawRed, "the link label alternates between blue and red");
}

// A pixel of a window's client area as the screen shows it.
COLORREF PixelOf(HWND window, int x, int y) {
  POINT point{x, y};
  ClientToScreen(window, &point);
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = 1;
  info.bmiHeader.biHeight = 1;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  void *bits = nullptr;
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  HBITMAP pixel = CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = SelectObject(memory, pixel);
  BitBlt(memory, 0, 0, 1, 1, screen, point.x, point.y, SRCCOPY);
  GdiFlush();
  const std::uint32_t bgr = *static_cast<const std::uint32_t *>(bits);
  SelectObject(memory, old);
  DeleteObject(pixel);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  return RGB((bgr >> 16) & 255, (bgr >> 8) & 255, bgr & 255);
}

void CheckLogo(const App &app, bool expected) {
  HWND box = app.Control("图片框2");
  const bool drawn =
      WaitFor([&] { return PixelOf(box, 2, 2) == kLogoLeftBand; }, expected ? 5000 : 500);
  std::printf("图片框2 pixel (2,2): %06lx\n", static_cast<unsigned long>(PixelOf(box, 2, 2)));
  Check(drawn == expected,
        expected ? "the logo is drawn from the top-left of 图片框2" : "图片框2 stays empty");
  if (expected)
    Check(PixelOf(box, 150, 60) == RGB(255, 255, 255), "the logo keeps its natural size");
}

// Waits for the box, checks its text, presses the button.
void AnswerBox(const App &app, const std::wstring &caption, const std::wstring &text, int button) {
  HWND box = nullptr;
  if (!Check(WaitFor([&] { return (box = app.FindDialog(caption)) != nullptr; }, 15000),
             "message box " + Utf8(caption) + " appears"))
    return;
  HWND message = GetDlgItem(box, 0xFFFF);
  CheckEqual(message ? WindowText(message) : L"", text, "text of " + Utf8(caption));
  Check(GetWindow(box, GW_OWNER) == nullptr, "no owner window");
  HWND icon = GetDlgItem(box, 0x440);  // the icon's control in a message box
  Check(!icon || !IsWindowVisible(icon) || !SendMessageW(icon, STM_GETICON, 0, 0), "no icon");
  PostMessageW(box, WM_COMMAND, button, 0);
  WaitFor([&] { return !IsWindow(box) || !IsWindowVisible(box); }, 5000);
}

void CheckPanel(const App &app, const std::wstring &title, const std::wstring &latest,
                const std::wstring &link) {
  CheckEqual(WindowText(app.Main()), title, "window title");
  CheckEqual(app.Text("透明标签14"), link + L"   （点击可跳转）", "link label");
  CheckEqual(app.Text("透明标签15"), L"软件当前版本：V2.0", "current version label");
  CheckEqual(app.Text("透明标签16"), L"软件最新版本：V" + latest + L".0", "latest version label");
  CheckEqual(app.Text("透明标签17"), L"软件作者：A", "author label");
}

void CloseAndWait(App &app) {
  PostMessageW(app.Main(), WM_CLOSE, 0, 0);
  CheckEqual(app.WaitExit(10000), 0, "the program ends with exit code 0");
}

}  // namespace

int main(int argc, char **argv) {
  if (argc < 3) {
    std::printf("usage: see the top of notice_app_driver.cpp\n");
    return 2;
  }
  const std::string mode = argv[1];
  const std::wstring exe = Wide(argv[2]);
  App app;
  const DWORD started = GetTickCount();
  if (!app.Start(exe)) return failures;

  if (mode == "update" && argc >= 5) {
    const bool mandatory = std::atoi(argv[3]) != 0;
    const std::wstring link = Wide(argv[4]);
    AnswerBox(app, L"信息：",
              L"检测到当前软件有更新，请前往【Quillmoor论坛】进行下载更新\r\n\r\n当前版本：2.0\r\n"
              L"最新版本：3.0\r\n\r\n新版更新日志：\r\nC",
              IDOK);
    // The clock keeps running under the second box.
    HWND ask = nullptr;
    WaitFor([&] { return (ask = app.FindDialog(L"是否更新")) != nullptr; }, 15000);
    CheckClockRuns(app);
    AnswerBox(app, L"是否更新", L"是否进行更新？？？", IDCANCEL);
    if (mandatory) {
      CheckEqual(app.WaitExit(10000), 0, "declining a mandatory update ends the program");
      return failures;
    }
    Check(WaitFor([&] { return app.Text("透明标签17") == L"软件作者：A"; }, 10000),
          "the panel is filled");
    CheckPanel(app, L"T", L"3", link);
    CheckLogo(app, true);
  } else if (mode == "current" && argc >= 4) {
    const std::wstring link = Wide(argv[3]);
    Check(WaitFor([&] { return app.Text("透明标签17") == L"软件作者：A"; }, 10000),
          "the panel is filled");
    Check(app.FindDialog() == nullptr, "no message box for the current version");
    CheckPanel(app, L"T2", L"2", link);
    CheckLogo(app, true);
  } else if (mode == "nonotice") {
    // The logo is shown before the notice is read, and both before the
    // window paints it: once it shows, the title is what the notice left.
    CheckLogo(app, true);
    CheckEqual(WindowText(app.Main()), L"", "window title stays empty");
    Check(app.FindDialog() == nullptr, "no message box");
    CheckEqual(app.Text("透明标签14"), L"未获取到数据", "link label keeps its layout text");
    CheckEqual(app.Text("透明标签16"), L"软件最新版本：",
               "latest version label keeps its layout text");
  } else if (mode == "offline" && argc >= 4) {
    const DWORD bound = static_cast<DWORD>(std::atol(argv[3]));
    Check(WaitFor([&] { return ItemCount(app, "组合框_版本1") == 41; }, bound + 10000),
          "start-up fills the version list");
    const DWORD elapsed = GetTickCount() - started;
    std::printf("start-up completed after %lu ms\n", static_cast<unsigned long>(elapsed));
    Check(elapsed <= bound, "start-up completes within the bound");
    Check(app.FindDialog() == nullptr, "no message box");
    CheckEqual(WindowText(app.Main()), L"", "window title stays empty");
    CheckEqual(app.Text("透明标签14"), L"未获取到数据", "link label keeps its layout text");
    CheckEqual(app.Text("透明标签16"), L"软件最新版本：",
               "latest version label keeps its layout text");
    CheckLogo(app, false);
  } else {
    std::printf("unknown mode %s\n", mode.c_str());
    return 2;
  }
  CheckClockRuns(app);
  CheckLinkBlinks(app);
  CloseAndWait(app);
  std::printf("%d failures\n", failures);
  return failures;
}
