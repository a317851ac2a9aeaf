// Where a symbol lies in its picture: the one geometry every output draws
// from (bitmap, metafile, a caller's device, PNG, SVG, the window's
// preview).
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>

namespace qr {

// The standard's quiet zone: four modules of light margin on every side.
// Images warn below it; labels draw it.
inline constexpr int kStandardQuietZone = 4;

struct PicturePlacement {
  int imageWidth = 0;  // the whole picture, in pixels (device units)
  int imageHeight = 0;
  int modulePixels = 0;
  // Quarter turns counter-clockwise of the standard's figure (0..3; other
  // values draw as 0).
  int orientation = 0;
  // The symbol's square, from the picture's top-left corner. It may reach
  // past the picture (the picture then shows a cut symbol) and, with huge
  // modules, past the int range.
  int64_t symbolLeft = 0;
  int64_t symbolTop = 0;
  int64_t symbolExtent = 0;
  // Whole modules of light margin left on the narrowest side (0 when cut).
  int quietZoneModules = 0;
  // Pixels under the symbol's area kept for a line of text; none yet.
  int textBandHeight = 0;
};

// The symbol of `side` modules centred in width x height with modules of
// `modulePixels`: margins rounded toward zero, except that orientation 1
// rounds its top margin and orientation 2 its left margin the other way
// (the far side's margin is the one rounded toward zero).
PicturePlacement PlacePicture(int side, int width, int height, int modulePixels, int orientation);

// What a batch asks of its pictures' module size and margin.
struct PictureRequest {
  int width = 0;  // the whole picture, in pixels
  int height = 0;
  int modulePixels = 0;      // 0: the largest whole module that fits
  int quietZoneModules = 0;  // light margin asked on every side, in modules
  int textBandHeight = 0;    // pixels under the symbol's area kept for text
};

// Pixels per side that `side` modules and `quietZoneModules` of margin on
// each side take with modules of `modulePixels` (saturated to the int range).
inline int FramedSymbolPixels(int side, int quietZoneModules, int modulePixels) {
  const int64_t pixels = (static_cast<int64_t>(side) + 2 * static_cast<int64_t>(quietZoneModules)) *
                         static_cast<int64_t>(modulePixels);
  return pixels > INT32_MAX ? INT32_MAX : static_cast<int>(pixels);
}

// The module side of the request for a symbol of `side` modules: its own,
// or the largest whole one with which the symbol and the margin asked fit
// the picture above its text band (0 when not even one pixel does).
inline int RequestedModulePixels(int side, const PictureRequest &request) {
  if (request.modulePixels > 0) return request.modulePixels;
  const int64_t room =
      std::min<int64_t>(request.width, int64_t{request.height} - request.textBandHeight);
  const int64_t modules =
      static_cast<int64_t>(side) + 2 * static_cast<int64_t>(request.quietZoneModules);
  if (room <= 0 || modules <= 0) return 0;
  return static_cast<int>(std::min<int64_t>(room / modules, INT32_MAX));
}

// A symbol as it is drawn: the placement and the modules in picture order.
// A view: valid while the modules it shows are.
class SymbolPicture {
 public:
  SymbolPicture() = default;
  // `modules`: side x side bytes, row by row in the standard's orientation,
  // non-zero for dark.
  SymbolPicture(const uint8_t *modules, int side, const PicturePlacement &placement)
      : modules_(modules), side_(side), placement_(placement) {}

  const PicturePlacement &placement() const { return placement_; }
  int side() const { return side_; }
  // The same modules in another placement (a picture grown by a text band).
  SymbolPicture Placed(const PicturePlacement &placement) const {
    return SymbolPicture(modules_, side_, placement);
  }

  // The module shown at column x, row y of the symbol's square in the
  // picture, counted from its top left (0 .. side - 1).
  bool Dark(int x, int y) const {
    const int last = side_ - 1;
    switch (placement_.orientation) {
      case 1: return At(y, x);
      case 2: return At(x, last - y);
      case 3: return At(last - y, last - x);
      default: return At(last - x, y);
    }
  }

 private:
  bool At(int row, int column) const {
    return modules_[static_cast<size_t>(row) * static_cast<size_t>(side_) + column] != 0;
  }

  const uint8_t *modules_ = nullptr;
  int side_ = 0;
  PicturePlacement placement_;
};

}  // namespace qr
