#include "screen.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace qr {

ScreenMetrics QueryScreen() {
#ifdef _WIN32
  HDC screen = GetDC(nullptr);
  const ScreenMetrics metrics{GetDeviceCaps(screen, LOGPIXELSX), GetDeviceCaps(screen, LOGPIXELSY),
                              GetDeviceCaps(screen, HORZRES),    GetDeviceCaps(screen, VERTRES),
                              GetDeviceCaps(screen, HORZSIZE),   GetDeviceCaps(screen, VERTSIZE)};
  ReleaseDC(nullptr, screen);
  return metrics;
#else
  return ScreenMetrics{96, 96, 1024, 768, 271, 203};
#endif
}

}  // namespace qr
