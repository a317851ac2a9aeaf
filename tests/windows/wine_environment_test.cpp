// The Wine test run's environment: a Chinese system (ANSI code page 936)
// and a display the window tests can use.
#include <windows.h>

#include <cstdio>

int main() {
  int failures = 0;
  if (GetACP() != 936) {
    std::printf("ANSI code page is %u, expected 936\n", GetACP());
    ++failures;
  }
  HDC screen = GetDC(nullptr);
  if (screen == nullptr || GetDeviceCaps(screen, LOGPIXELSX) <= 0) {
    std::printf("no screen device context\n");
    ++failures;
  }
  if (screen) ReleaseDC(nullptr, screen);
  return failures;
}
