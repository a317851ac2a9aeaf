// The screen as the engine's outputs see it: resolution, and its size for
// the reference device of an enhanced metafile.
#pragma once

namespace qr {

struct ScreenMetrics {
  int horizontalDpi;
  int verticalDpi;
  int widthPixels;
  int heightPixels;
  int widthMillimetres;
  int heightMillimetres;
};

// On Windows the screen's device context; elsewhere a 1024 x 768 screen of
// 96 dots per inch.
ScreenMetrics QueryScreen();

}  // namespace qr
