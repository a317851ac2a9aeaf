// Times the window's batch against qrbatch.exe over the same lines, for
// bench/window_bench.sh (a benchmark, not a test):
//   window_bench_driver <QRBatchGenerator.exe> <qrbatch.exe> <lines file> <output parent> <rounds>
// The lines file holds GBK lines ended by LF. Every round writes both into
// fresh folders under the parent (w<round> and q<round>; s<round> for
// qrbatch.exe with one worker), in an order rotating from round to round,
// and prints
//   round <n> window <ms> qrbatch <ms> qrbatch-j1 <ms>
// The window's batch is timed from the click until its counter shows every
// line written; qrbatch.exe (default workers, then -j 1: the window writes
// with one thread) from its start to its exit.
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

// The lines as the input box shows them, CR LF after each; their count.
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

// -1 when the batch did not write every line within ten minutes.
double TimeWindow(const App &app, const std::wstring &folder, int count) {
  app.SetText("编辑框2", folder);
  app.SetText("透明标签6", L"");
  const std::wstring total = std::to_wstring(count);
  const LARGE_INTEGER start = Now();
  app.Click("按钮2");
  if (!WaitFor([&] { return app.Text("透明标签6") == total; }, 600000)) return -1;
  const LARGE_INTEGER end = Now();
  std::wstring unexpected;
  if (app.FindDialog() && app.AnswerMessageBox(unexpected, 0)) {
    Fail("the window reported failed lines: " + Utf8(unexpected));
    return -1;
  }
  return Milliseconds(start, end);
}

// -1 when qrbatch.exe failed.
double TimeQrbatch(const std::wstring &exe, const std::wstring &options, const std::wstring &folder,
                   const std::wstring &lines) {
  std::wstring commandLine =
      L"\"" + exe + L"\" " + options + L"-o \"" + folder + L"\" \"" + lines + L"\"";
  STARTUPINFOW startup = {};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process = {};
  const LARGE_INTEGER start = Now();
  if (!CreateProcessW(exe.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                      &startup, &process)) {
    Fail("cannot start qrbatch.exe, error " + std::to_string(GetLastError()));
    return -1;
  }
  WaitForSingleObject(process.hProcess, INFINITE);
  const LARGE_INTEGER end = Now();
  DWORD code = 1;
  GetExitCodeProcess(process.hProcess, &code);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  if (code != 0) {
    Fail("qrbatch.exe exited with " + std::to_string(code));
    return -1;
  }
  return Milliseconds(start, end);
}

}  // namespace

int wmain(int argc, wchar_t **argv) {
  if (argc != 6) {
    std::printf(
        "usage: window_bench_driver <window exe> <qrbatch.exe> <lines file> <output parent> "
        "<rounds>\n");
    return 2;
  }
  const std::wstring windowExe = argv[1], qrbatchExe = argv[2], linesFile = argv[3],
                     parent = argv[4];
  const int rounds = _wtoi(argv[5]);
  int count = 0;
  const std::wstring input = InputOf(ReadWholeFile(linesFile), count);
  if (!Check(count > 0, "lines to write")) return 1;

  App app;
  if (!app.Start(windowExe)) return 1;
  // The window's defaults, as qrbatch's: level L, automatic version, 200 x 200.
  SendMessageW(app.Control("组合框_纠错1"), CB_SETCURSEL, 0, 0);
  SendMessageW(app.Control("组合框_版本1"), CB_SETCURSEL, 0, 0);
  app.SetText("编辑框4", L"200");
  app.SetText("编辑框5", L"200");
  app.SetText("编辑框1", input);

  for (int round = 0; round < rounds && failures == 0; ++round) {
    const std::wstring folders[] = {parent + L"\\w" + std::to_wstring(round),
                                    parent + L"\\q" + std::to_wstring(round),
                                    parent + L"\\s" + std::to_wstring(round)};
    double ms[3] = {};
    for (int turn = 0; turn < 3; ++turn) {
      const int subject = (round + turn) % 3;
      CreateDirectoryW(folders[subject].c_str(), nullptr);
      ms[subject] = subject == 0   ? TimeWindow(app, folders[0], count)
                    : subject == 1 ? TimeQrbatch(qrbatchExe, L"", folders[1], linesFile)
                                   : TimeQrbatch(qrbatchExe, L"-j 1 ", folders[2], linesFile);
    }
    const double windowMs = ms[0], qrbatchMs = ms[1], oneWorkerMs = ms[2];
    if (!Check(windowMs >= 0 && qrbatchMs >= 0 && oneWorkerMs >= 0,
               "round " + std::to_string(round + 1) + " ran"))
      break;
    std::printf("round %d window %.0f qrbatch %.0f qrbatch-j1 %.0f\n", round + 1, windowMs,
                qrbatchMs, oneWorkerMs);
    std::fflush(stdout);
  }
  PostMessageW(app.Main(), WM_CLOSE, 0, 0);
  app.WaitExit();
  return failures == 0 ? 0 : 1;
}
