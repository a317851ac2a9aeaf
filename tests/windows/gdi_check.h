// Shared by the engine's Windows test programs: printed checks counted as
// failures, whole files as bytes, and an off-screen surface compatible with
// the screen.
#pragma once

#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

namespace wintest {

inline int failures = 0;  // the programs' exit code

inline bool Check(bool ok, const std::string &what) {
  std::printf("%s: %s\n", ok ? "ok" : "FAILED", what.c_str());
  if (!ok) ++failures;
  return ok;
}

inline std::vector<unsigned char> ReadFileBytes(const std::string &path) {
  std::vector<unsigned char> bytes;
  if (FILE *file = std::fopen(path.c_str(), "rb")) {
    unsigned char buffer[4096];
    size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, file)) > 0)
      bytes.insert(bytes.end(), buffer, buffer + n);
    std::fclose(file);
  }
  return bytes;
}

// A bitmap compatible with the screen with a context on it, first filled
// with `background` (a colour the test's drawing does not use).
struct Surface {
  HDC screen, dc;
  HBITMAP bitmap, old;
  int width, height;

  Surface(int w, int h, COLORREF background) : width(w), height(h) {
    screen = GetDC(nullptr);
    dc = CreateCompatibleDC(screen);
    bitmap = CreateCompatibleBitmap(screen, w, h);
    old = static_cast<HBITMAP>(SelectObject(dc, bitmap));
    const RECT all{0, 0, w, h};
    HBRUSH brush = CreateSolidBrush(background);
    FillRect(dc, &all, brush);
    DeleteObject(brush);
  }
  ~Surface() {
    SelectObject(dc, old);
    DeleteObject(bitmap);
    DeleteDC(dc);
    ReleaseDC(nullptr, screen);
  }
  Surface(const Surface &) = delete;
  Surface &operator=(const Surface &) = delete;

  // GetDIBits of the whole bitmap in the format `info` asks for.
  void ReadBits(BITMAPINFO *info, void *rows) {
    SelectObject(dc, old);  // GetDIBits wants the bitmap deselected
    GetDIBits(dc, bitmap, 0, height, rows, info, DIB_RGB_COLORS);
    SelectObject(dc, bitmap);
  }
};

}  // namespace wintest
