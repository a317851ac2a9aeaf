// The main window's sizes and painting, checked from another process while
// the calling script takes screenshots:
//   window_paint_driver <exe> <work folder>
// checks that both combo boxes are 140 x 20, writes the screen rectangles
// of the clock label and the link label to <work>\labels.txt ("left top
// width height" per line), waits for <work>\captured and closes the
// program. Paths are Windows paths.
#include <windows.h>

#include <cstdio>
#include <string>

#include "app_driver_support.h"
#include "main_window_layout.h"

using namespace appdriver;

namespace {

void CheckSize(const App &app, const char *name, int width, int height) {
  RECT rect = {};
  GetWindowRect(app.Control(name), &rect);
  CheckEqual(rect.right - rect.left, width, std::string(name) + " width");
  CheckEqual(rect.bottom - rect.top, height, std::string(name) + " height");
}

std::string ScreenRect(const App &app, const char *name) {
  RECT rect = {};
  GetWindowRect(app.Control(name), &rect);
  return std::to_string(rect.left) + " " + std::to_string(rect.top) + " " +
         std::to_string(rect.right - rect.left) + " " + std::to_string(rect.bottom - rect.top) +
         "\n";
}

void Run(const std::wstring &exe, const std::wstring &work) {
  App app;
  if (!app.Start(exe)) return;
  CheckSize(app, "组合框_版本1", 140, 20);
  CheckSize(app, "组合框_纠错1", 140, 20);

  // The clock shows the time from its first tick on; once the second has
  // changed too, the first time has long been painted.
  const std::wstring layoutClock = Wide(resources::FindControlLayout("透明标签20")->text);
  Check(WaitFor([&] { return app.Text("透明标签20") != layoutClock; }), "the clock ticks");
  const std::wstring firstTime = app.Text("透明标签20");
  Check(WaitFor([&] { return app.Text("透明标签20") != firstTime; }), "the clock moves on");

  const std::string labels = ScreenRect(app, "透明标签20") + ScreenRect(app, "透明标签14");
  HANDLE file = CreateFileW((work + L"\\labels.txt").c_str(), GENERIC_WRITE, 0, nullptr,
                            CREATE_ALWAYS, 0, nullptr);
  DWORD written = 0;
  Check(
      WriteFile(file, labels.data(), static_cast<DWORD>(labels.size()), &written, nullptr) != FALSE,
      "the label rectangles are written");
  CloseHandle(file);
  Check(WaitFor([&] { return FileExists(work + L"\\captured"); }, 60000),
        "the screenshots are taken");

  PostMessageW(app.Main(), WM_CLOSE, 0, 0);
  CheckEqual(app.WaitExit(), 0, "the program ends normally");
}

}  // namespace

int wmain(int argc, wchar_t **argv) {
  if (argc != 3) {
    std::printf("usage: window_paint_driver <exe> <work folder>\n");
    return 2;
  }
  Run(argv[1], argv[2]);
  std::printf("window_paint_driver: %d failure(s)\n", failures);
  return failures == 0 ? 0 : 1;
}
