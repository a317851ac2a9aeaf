// Drawing on a caller's device, and measuring the symbol there.
#include "QRCodeWin32.h"
#include "encode_symbol.h"
#include "screen.h"
#include "state_picture.h"
#include "symbol_drawing.h"

#ifdef _WIN32
#include "gdi_target.h"
#endif

using qr::engineState;

namespace {

struct Resolution {
  int horizontal;
  int vertical;
};

Resolution ScreenResolution() {
  const qr::ScreenMetrics screen = qr::QueryScreen();
  return {screen.horizontalDpi, screen.verticalDpi};
}

#ifdef _WIN32

Resolution ResolutionOf(HDC dc) {
  return {GetDeviceCaps(dc, LOGPIXELSX), GetDeviceCaps(dc, LOGPIXELSY)};
}

#else

Resolution ResolutionOf(QRDC dc) {
  return dc ? Resolution{dc->horizontalDpi, dc->verticalDpi} : Resolution{0, 0};
}

// A caller's callbacks as a drawing target.
class CallbackTarget : public qr::DrawTarget {
 public:
  explicit CallbackTarget(const QRDrawTarget &target) : target_(target) {}
  void FillRect(int left, int top, int right, int bottom, uint32_t colour) override {
    if (target_.fillRect) target_.fillRect(target_.context, left, top, right, bottom, colour);
  }
  void MoveTo(int x, int y) override {
    if (target_.moveTo) target_.moveTo(target_.context, x, y);
  }
  void LineTo(int x, int y) override {
    if (target_.lineTo) target_.lineTo(target_.context, x, y);
  }

 private:
  const QRDrawTarget &target_;
};

#endif

// Module side from a device's resolution, measured along the axis that
// drawing on a caller's device uses.
void UpdateModulePixels(const Resolution &resolution) {
  const int dpi =
      qr::RenderResolution(engineState.orientation, resolution.horizontal, resolution.vertical);
  engineState.modulePixels =
      qr::ModulePixels(dpi, engineState.moduleSize, engineState.modulePixels);
}

}  // namespace

extern "C" {

void QRAPI QRRender(QRDC dc, int x, int y) {
  // The area's corner is taken as two unsigned 16-bit values.
  const int x0 = x & 0xFFFF, y0 = y & 0xFFFF;
  try {
#ifdef _WIN32
    const int previousMapping = SetMapMode(dc, MM_TEXT);
    UpdateModulePixels(ResolutionOf(dc));
    qr::SymbolMatrix matrix;
    if (qr::EncodeSymbol(engineState, matrix) == qr::EncodeResult::kWritten) {
      qr::GdiTarget target(dc);
      qr::DrawSymbol(target, qr::PlacementOf(engineState, matrix.side()), matrix,
                     qr::StyleOf(engineState), x0, y0);
    }
    if (previousMapping != 0) SetMapMode(dc, previousMapping);
#else
    UpdateModulePixels(ResolutionOf(dc));
    qr::SymbolMatrix matrix;
    if (qr::EncodeSymbol(engineState, matrix) == qr::EncodeResult::kWritten && dc != nullptr) {
      CallbackTarget target(*dc);
      qr::DrawSymbol(target, qr::PlacementOf(engineState, matrix.side()), matrix,
                     qr::StyleOf(engineState), x0, y0);
    }
#endif
  } catch (...) {
    // Out of memory: nothing more is drawn.
  }
}

void QRAPI QRGetActualSize(short screenFlag, QRDC dc, int *outWidth, int *outHeight) {
  int extent = 0;
  try {
    UpdateModulePixels(screenFlag == -1 ? ScreenResolution() : ResolutionOf(dc));
    qr::SymbolMatrix matrix;
    if (qr::EncodeSymbol(engineState, matrix) == qr::EncodeResult::kWritten)
      extent = qr::SymbolExtent(matrix.side(), engineState.modulePixels);
  } catch (...) {
    extent = 0;
  }
  if (outWidth) *outWidth = extent;
  if (outHeight) *outHeight = extent;
}

}  // extern "C"
