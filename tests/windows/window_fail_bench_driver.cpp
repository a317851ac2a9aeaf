// Times the window's batch over failing lines against the same number of
// good ones, for bench/window_fail_bench.sh (a benchmark, not a test):
//   window_fail_bench_driver <QRBatchGenerator.exe> <good lines> <failing lines> <parent> <rounds>
// Both files hold GBK lines ended by LF. Every round runs both batches into
// fresh folders under the parent (g<round>, f<round>), in an order that
// alternates from round to round, and prints
//   round <n> good <ms> failing <ms>
// A batch is timed from the click to its end: the counter showing every
// line written (good lines), or the end-of-batch box (failing lines; its
// report file is written before it shows).
#include <windows.h>

#include <cstdio>
#include <string>

#include "app_driver_support.h"

using namespace appdriver;

namespace {

double Milliseconds(const LARGE_INTEGER &from, const LARGE_INTEGER &to) {
  LARGE_INTEGER frequency;
  QueryPerformanceFrequency(&frequency);
  return 1000.0 * static_cast<double>(to.QuadPart - from.QuadPart) /
         static_cast<double>(frequency.QuadPart);
}

LARGE_INTEGER Now() {
  LARGE_INTEGER now;
  QueryPerformanceCounter(&now);
  return now;
}

std::wstring InputOf(const std::string &gbk, int &count) {
  std::string crlf;
  count = 0;
  for (char c : gbk) {
    if (c == '\r') continue;
    if (c == '\n') {
      crlf += "\r\n";
      ++count;
    } else {
      crlf += c;
    }
  }
  if (crlf.empty()) return std::wstring();
  const int length =
      MultiByteToWideChar(936, 0, crlf.data(), static_cast<int>(crlf.size()), nullptr, 0);
  std::wstring text(static_cast<size_t>(length), L'\0');
  MultiByteToWideChar(936, 0, crlf.data(), static_cast<int>(crlf.size()), &text[0], length);
  return text;
}

// -1 when the batch did not end as expected within ten minutes.
double TimeBatch(const App &app, const std::wstring &input, const std::wstring &folder, int count,
                 bool failing) {
  app.SetText("编辑框1", input);
  app.SetText("编辑框2", folder);
  app.SetText("透明标签6", L"");
  const std::wstring total = std::to_wstring(count);
  const LARGE_INTEGER start = Now();
  app.Click("按钮2");
  const bool ended = failing ? WaitFor([&] { return app.FindDialog() != nullptr; }, 600000)
                             : WaitFor([&] { return app.Text("透明标签6") == total; }, 600000);
  const LARGE_INTEGER end = Now();
  if (!ended) return -1;
  std::wstring box;
  if (failing) {
    if (!app.AnswerMessageBox(box, 5000) ||
        box.find(L"共 " + total + L" 行") == std::wstring::npos) {
      Fail("the box does not count every line: " + Utf8(box));
      return -1;
    }
  } else if (app.FindDialog() && app.AnswerMessageBox(box, 0)) {
    Fail("the good lines failed: " + Utf8(box));
    return -1;
  }
  return Milliseconds(start, end);
}

}  // namespace

int wmain(int argc, wchar_t **argv) {
  if (argc != 6) {
    std::printf(
        "usage: window_fail_bench_driver <window exe> <good lines> <failing lines> <parent> "
        "<rounds>\n");
    return 2;
  }
  int goodCount = 0, failingCount = 0;
  const std::wstring good = InputOf(ReadWholeFile(argv[2]), goodCount);
  const std::wstring failing = InputOf(ReadWholeFile(argv[3]), failingCount);
  const std::wstring parent = argv[4];
  const int rounds = _wtoi(argv[5]);
  if (!Check(goodCount > 0 && goodCount == failingCount, "as many good lines as failing ones"))
    return 1;

  App app;
  if (!app.Start(argv[1])) return 1;
  SendMessageW(app.Control("组合框_纠错1"), CB_SETCURSEL, 0, 0);
  SendMessageW(app.Control("组合框_版本1"), CB_SETCURSEL, 0, 0);
  app.SetText("编辑框4", L"200");
  app.SetText("编辑框5", L"200");

  for (int round = 0; round < rounds && failures == 0; ++round) {
    double ms[2] = {};
    for (int turn = 0; turn < 2; ++turn) {
      const int subject = (round + turn) % 2;  // 0 good, 1 failing
      const std::wstring folder =
          parent + (subject == 0 ? L"\\g" : L"\\f") + std::to_wstring(round);
      CreateDirectoryW(folder.c_str(), nullptr);
      ms[subject] = TimeBatch(app, subject == 0 ? good : failing, folder, goodCount, subject == 1);
    }
    if (!Check(ms[0] >= 0 && ms[1] >= 0, "round " + std::to_string(round + 1) + " ran")) break;
    std::printf("round %d good %.0f failing %.0f\n", round + 1, ms[0], ms[1]);
    std::fflush(stdout);
  }
  PostMessageW(app.Main(), WM_CLOSE, 0, 0);
  app.WaitExit();
  return failures == 0 ? 0 : 1;
}
