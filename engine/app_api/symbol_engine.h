// The application's own entry to the engine, beside the fourteen exported
// C functions. The exports keep one process-wide state for their callers;
// the programs of this project (the window's checks, qrbatch's workers) use
// this entry instead: a `SymbolEngine` is one independent encoder with its
// own settings, results and working memory, so several of them may run on
// different threads at once (each one used by one thread at a time).
//
// Everything here follows the exports' rules exactly: the same clamping as
// QRConfigure, the same mode and version choice, the same pixels as
// QRSaveAsBMP with the batch's recipe (black on white, orientation 1, no
// frame). Beyond them, a caller may plan its own list of segments (an ECI
// designator, modes of its choice).
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "picture_placement.h"
#include "symbol_segments.h"

namespace qr {

// The symbol settings of one encoding, as passed to QRConfigure; values
// out of range are clamped as QRConfigure clamps them.
struct SymbolSettings {
  int requestedVersion = 0;  // 0 automatic, 1..40 the smallest version allowed
  int level = 0;             // 0..3 = L, M, Q, H
  int maskSetting = 0;       // 0 automatic, 1..8 = mask pattern 0..7
};

// The values QRConfigure stores for its arguments.
int ClampedVersion(int requestedVersion);
int ClampedLevel(int level);
int ClampedMaskSetting(int maskSetting);

// An encoding decided before it is built: the segments of the message,
// the version they fit and the settings. It names the message's bytes by
// position only, so it may travel with its message (moved or copied) to
// another thread and be built there by SymbolEngine::Encode.
struct SymbolPlan {
  std::vector<Segment> segments;
  int version = 0;  // 0 unless result is kWritten
  int side = 0;     // modules per side, 0 unless result is kWritten
  int level = 0;    // clamped settings
  int maskSetting = 0;
  EncodeResult result = EncodeResult::kTooLong;  // kWritten: it can be built
};

// The exports' plan: the message cut as QRSetMessage cuts it (at a zero
// byte, at most 7,999 bytes), as one segment in the one mode that holds
// all of it, at the smallest version from the requested one that fits.
SymbolPlan PlanSymbol(const char *message, size_t length, const SymbolSettings &settings);

// The exports' mode rule over all `length` bytes, zero bytes included and
// nothing cut: one data segment in the one mode that holds every byte.
Segment AllBytesSegment(const char *message, size_t length);

// A plan of segments made by the caller (an ECI designator, data in modes
// of its choice), over all `length` bytes of `message`: kInvalidSegments
// when a segment does not suit the message (see EncodeResult).
SymbolPlan PlanSymbol(const char *message, size_t length, std::vector<Segment> segments,
                      const SymbolSettings &settings);

// Module side in pixels of the bitmap output for modules of `moduleSizeCm`
// centimetres in orientation 1, at this screen's resolution (8 for 0.2 cm
// at 96 dots per inch).
int BitmapModulePixels(double moduleSizeCm);

// Pixels per metre of `dotsPerInch`, rounded to the nearest (0 for 0): the
// resolution a bitmap file and a PNG file state.
int PixelsPerMetre(int dotsPerInch);

// A drawn symbol as the bitmap file QRSaveAsBMP writes: `headers` holds
// everything before the pixel rows; `rows` points at the pixel rows, bottom
// row first, `stride` bytes each (1 bit per pixel, palette index 0 black,
// 1 white), valid until the next call on the engine that drew them.
struct BitmapImage {
  int width = 0;
  int height = 0;
  size_t stride = 0;
  std::vector<uint8_t> headers;
  const uint8_t *rows = nullptr;
  size_t rowBytes = 0;
  int pixelsPerMetre = 0;  // the resolution the headers state; 0: none
};

class SymbolEngine {
 public:
  SymbolEngine();
  ~SymbolEngine();
  SymbolEngine(const SymbolEngine &) = delete;
  SymbolEngine &operator=(const SymbolEngine &) = delete;

  // Encodes the message with the settings as PlanSymbol plans it (the
  // message cut as QRSetMessage cuts it).
  EncodeResult Encode(const char *message, size_t length, const SymbolSettings &settings);

  // Builds a plan's symbol from the message it was made for (the same
  // bytes, wherever they are now), choosing neither mode nor version again.
  // The plan's own result when it is not kWritten; kInvalidSegments when
  // a segment reaches past `length`.
  EncodeResult Encode(const SymbolPlan &plan, const char *message, size_t length);

  // Results of the last successful Encode.
  int version() const;
  int side() const;
  int maskPattern() const;
  // The module at column x, row y of the symbol as the batch draws it
  // (orientation 1: the standard's figure upright), counted from the top
  // left.
  bool Dark(int x, int y) const;

  // The last encoding as the bitmap output draws it in width x height
  // pixels with modules of `modulePixels` (orientation 1, centred): its
  // placement and its modules in picture order. Valid until the next
  // Encode.
  SymbolPicture Picture(int width, int height, int modulePixels) const;

  // Draws Picture(width, height, modulePixels) black on white, as
  // QRSaveAsBMP does. False when the area is not positive or too large for
  // a bitmap file. `image` is a whole bitmap file in memory (headers, then
  // rows), usable as such by a preview. `pixelsPerMetre` is stated as
  // the file's resolution (QRSaveAsBMP states none: 0).
  bool DrawBitmap(int width, int height, int modulePixels, BitmapImage &image,
                  int pixelsPerMetre = 0);

 private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
};

}  // namespace qr
