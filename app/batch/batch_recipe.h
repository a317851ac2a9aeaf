// The one recipe of a batch's images, the window's and qrbatch's alike:
// what every image shares, and what the user chooses per batch.
#pragma once

#include "picture_placement.h"

namespace batch {

struct BatchRecipe {
  // Mask pattern 4 for every symbol: no search over the eight patterns.
  static constexpr int kMaskPattern = 4;
  // The same mask as the engine's setting (QRConfigure's mask argument,
  // qr::SymbolSettings::maskSetting), which counts 0 for the automatic
  // choice and 1..8 for patterns 0..7.
  static constexpr int kMaskSetting = kMaskPattern + 1;
  // Modules of 0.2 cm: 8 pixels at 96 dots per inch.
  static constexpr double kModuleSizeCm = 0.2;
  static constexpr int kOrientation = 1;  // upright: the standard's figure as drawn there
  static constexpr int kFrameStyle = 0;   // no frame
  struct Rgb {
    int red, green, blue;
  };
  static constexpr Rgb kBarColor = {0, 0, 0};
  static constexpr Rgb kBackColor = {255, 255, 255};

  int version = 0;  // 0 automatic, 1..40 the smallest version allowed
  int level = 0;    // 0..3 = L, M, Q, H
  int width = 200;  // image size in pixels
  int height = 200;

  // Print geometry: module size, quiet zone and resolution.
  // The standard's quiet zone: a margin below it is warned about.
  static constexpr int kStandardQuietZone = qr::kStandardQuietZone;
  int modulePixels = 0;        // 0: kModuleSizeCm at the screen's resolution
  bool autoModule = false;     // the largest whole module that fits the image
  int quietZone = -1;          // modules of margin asked around the symbol; -1: none asked
  int dotsPerInch = 0;         // resolution stated in the files; 0: none
  bool warnQuietZone = false;  // report a written image whose margin is below the standard's
};

}  // namespace batch
