// The image outputs: bitmap file, placeable metafile, clipboard.
#include "QRCodeWin32.h"
#include "bmp_file.h"
#include "encode_symbol.h"
#include "file_output.h"
#include "palette_raster.h"
#include "screen.h"
#include "state_picture.h"
#include "symbol_drawing.h"
#include "wmf_recorder.h"

#ifdef _WIN32
#include <windows.h>

#include "emf_recorder.h"
#endif

using qr::engineState;

namespace {

constexpr short kSuccess = -1;
constexpr short kFailure = 0;

// The outputs' own targets report the screen's resolution, along the
// horizontal axis for orientations 0 and 2.
bool EncodeForOutput(qr::SymbolMatrix &matrix, const qr::ScreenMetrics &screen) {
  const int dpi =
      qr::OutputResolution(engineState.orientation, screen.horizontalDpi, screen.verticalDpi);
  engineState.modulePixels =
      qr::ModulePixels(dpi, engineState.moduleSize, engineState.modulePixels);
  return qr::EncodeSymbol(engineState, matrix) == qr::EncodeResult::kWritten;
}

// Metafile coordinates and its bounding box are signed 16-bit.
bool FitsMetafile(int width, int height) {
  return width > 0 && height > 0 && width <= 0x7FFF && height <= 0x7FFF;
}

// The screen's resolution as the bitmap file sees it. The system fixes it
// when the user signs in, so one query serves the whole process; asking the
// window system anew costs a dozen round trips per file, more than writing
// the file itself.
const qr::ScreenMetrics &ScreenOfProcess() {
  static const qr::ScreenMetrics screen = qr::QueryScreen();
  return screen;
}

short SaveAsBmp(const char *fileName) {
  const qr::ScreenMetrics &screen = ScreenOfProcess();
  // Black on white needs one bit per pixel, when both colours were set
  // plainly through the colour setters; anything else takes four.
  const int bitsPerPixel = engineState.barDepth == 1 && engineState.backDepth == 1 ? 1 : 4;
  qr::PaletteRaster raster;
  const bool allocated =
      raster.Allocate(engineState.imageWidth, engineState.imageHeight, bitsPerPixel);
  qr::SymbolMatrix matrix;
  const bool encoded = EncodeForOutput(matrix, screen);
  if (allocated && encoded)
    qr::DrawSymbolOnRaster(raster, qr::PlacementOf(engineState, matrix.side()), matrix,
                           qr::StyleOf(engineState), 0, 0);
  matrix.Release();

  // No image: a file of that name stays as it was.
  if (fileName == nullptr || !allocated || !encoded) return kFailure;
  const std::vector<uint8_t> headers = qr::BitmapHeaders(raster);
  const bool written = qr::WriteFileAtomically(
      fileName, {{headers.data(), headers.size()}, {raster.pixelRows(), raster.pixelBytes()}});
  return written ? kSuccess : kFailure;
}

short SaveAsWmf(const char *fileName) {
  const qr::ScreenMetrics screen = qr::QueryScreen();
  if (fileName == nullptr) return kFailure;
  qr::SymbolMatrix matrix;
  if (!EncodeForOutput(matrix, screen) ||
      !FitsMetafile(engineState.imageWidth, engineState.imageHeight)) {
    return kFailure;  // a file of that name is kept as it was
  }
  qr::WmfRecorder recorder(engineState.imageWidth, engineState.imageHeight);
  qr::DrawSymbol(recorder, qr::PlacementOf(engineState, matrix.side()), matrix,
                 qr::StyleOf(engineState), 0, 0);
  matrix.Release();
  const std::vector<uint8_t> metafile = recorder.Finish(screen.horizontalDpi);
  return qr::WriteFileAtomically(fileName, {{metafile.data(), metafile.size()}}) ? kSuccess
                                                                                 : kFailure;
}

#ifdef _WIN32

// Hands the metafile to the clipboard, which owns it from then on.
bool PlaceOnClipboard(const std::vector<uint8_t> &metafile) {
  HENHMETAFILE handle = SetEnhMetaFileBits(static_cast<UINT>(metafile.size()), metafile.data());
  if (handle == nullptr) return false;
  if (!OpenClipboard(GetDesktopWindow())) {
    DeleteEnhMetaFile(handle);
    return false;
  }
  EmptyClipboard();
  const bool placed = SetClipboardData(CF_ENHMETAFILE, handle) != nullptr;
  CloseClipboard();
  if (!placed) DeleteEnhMetaFile(handle);
  return placed;
}

short CopyToClipboard() {
  const qr::ScreenMetrics screen = qr::QueryScreen();
  qr::SymbolMatrix matrix;
  if (!EncodeForOutput(matrix, screen)) return kFailure;
  if (engineState.imageWidth <= 0 || engineState.imageHeight <= 0) return kFailure;
  qr::EmfRecorder recorder(engineState.imageWidth, engineState.imageHeight);
  qr::DrawSymbol(recorder, qr::PlacementOf(engineState, matrix.side()), matrix,
                 qr::StyleOf(engineState), 0, 0);
  matrix.Release();
  return PlaceOnClipboard(recorder.Finish(screen)) ? kSuccess : kFailure;
}

#else

short CopyToClipboard() {
  // No clipboard on this platform; the encoding still runs like in every
  // producer, so the last encoding's results are current.
  qr::SymbolMatrix matrix;
  EncodeForOutput(matrix, qr::QueryScreen());
  return kFailure;
}

#endif

}  // namespace

extern "C" {

short QRAPI QRSaveAsBMP(const char *fileName) {
  try {
    return SaveAsBmp(fileName);
  } catch (...) {
    return kFailure;
  }
}

short QRAPI QRSaveAsWMF(const char *fileName) {
  try {
    return SaveAsWmf(fileName);
  } catch (...) {
    return kFailure;
  }
}

short QRAPI QRCopyToClipboard(void) {
  try {
    return CopyToClipboard();
  } catch (...) {
    return kFailure;
  }
}

}  // extern "C"
