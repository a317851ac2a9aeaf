// The setter exports: they store and clamp, and never fail.
#include <cmath>
#include <cstdint>
#include <cstring>

#include "QRCodeWin32.h"
#include "engine_state.h"
#include "settings_clamp.h"

using qr::Clamped16;
using qr::engineState;

namespace {

// Shared by both colour setters: returns 0x00BBGGRR and sets `depth` to 1
// when the colour equals the plain one (all components == plainComponent).
uint32_t StoreColour(int red, int green, int blue, unsigned plainComponent, int32_t &depth) {
  const uint16_t r = Clamped16(red, 255), g = Clamped16(green, 255), b = Clamped16(blue, 255);
  depth = (r == plainComponent && g == plainComponent && b == plainComponent) ? 1 : 4;
  return r + 256u * g + 65536u * b;
}

}  // namespace

extern "C" {

void QRAPI QRSetDefault(void) { qr::ApplyDefaults(engineState); }

void QRAPI QRSetMessage(const char *text) {
  if (text == nullptr) text = "";
  // Keeps at most the first 7,999 bytes; never writes past the buffer.
  const size_t length = strnlen(text, qr::kMessageBufferSize - 1);
  std::memcpy(engineState.message, text, length);
  engineState.message[length] = '\0';
}

void QRAPI QRSetSize(int width, int height) {
  engineState.imageWidth = width == 0 ? 500 : width;
  engineState.imageHeight = height == 0 ? 300 : height;
}

void QRAPI QRConfigure(int version, int level, int mask) {
  engineState.requestedVersion = Clamped16(version, qr::kVersionBound);
  engineState.ecLevel = Clamped16(level, qr::kLevelBound);
  engineState.maskSetting = Clamped16(mask, qr::kMaskSettingBound);
}

void QRAPI QRAppearance(double moduleSize, int orientation, int frameStyle) {
  // NaN fails the comparison and takes the default too.
  engineState.moduleSize = moduleSize > 0.0 ? static_cast<float>(moduleSize) : 0.07f;
  engineState.orientation = Clamped16(orientation, 3);
  engineState.frameStyle = Clamped16(frameStyle, 2);
}

void QRAPI QRSetBarColor(int red, int green, int blue) {
  engineState.barColor = StoreColour(red, green, blue, 0, engineState.barDepth);
}

void QRAPI QRSetBackColor(int red, int green, int blue) {
  engineState.backColor = StoreColour(red, green, blue, 255, engineState.backDepth);
}

}  // extern "C"
