#include "symbol_engine.h"

#include <cstring>

#include "bmp_file.h"
#include "data_encoding.h"
#include "encode_symbol.h"
#include "file_output.h"
#include "engine_state.h"
#include "palette_raster.h"
#include "screen.h"
#include "settings_clamp.h"
#include "symbol_drawing.h"
#include "version_tables.h"

namespace qr {

namespace {

// The part of a message the engine keeps: up to a zero byte, at most 7,999.
size_t KeptLength(const char *message, size_t length) {
  if (message == nullptr) return 0;
  if (length > static_cast<size_t>(kMessageBufferSize - 1)) length = kMessageBufferSize - 1;
  const void *zero = std::memchr(message, '\0', length);
  return zero ? static_cast<size_t>(static_cast<const char *>(zero) - message) : length;
}

}  // namespace

int ClampedVersion(int requestedVersion) { return Clamped16(requestedVersion, kVersionBound); }
int ClampedLevel(int level) { return Clamped16(level, kLevelBound); }
int ClampedMaskSetting(int maskSetting) { return Clamped16(maskSetting, kMaskSettingBound); }

SymbolSize MeasureSymbol(const char *message, size_t length, const SymbolSettings &settings) {
  const int kept = static_cast<int>(KeptLength(message, length));
  const auto *bytes = reinterpret_cast<const unsigned char *>(message);
  const DataMode mode = ChooseDataMode(bytes, kept);
  const int version =
      ChooseVersion(mode, kept, ClampedVersion(settings.requestedVersion), ClampedLevel(settings.level));
  if (version == 0) return {};
  return {version, symbolSide[version]};
}

bool FitsLargestSymbol(const char *message, size_t length, int level) {
  SymbolSettings settings;
  settings.level = level;
  return MeasureSymbol(message, length, settings).version != 0;
}

int BitmapModulePixels(double moduleSizeCm) {
  const ScreenMetrics screen = QueryScreen();
  return ModulePixels(OutputResolution(1, screen.horizontalDpi, screen.verticalDpi),
                      static_cast<float>(moduleSizeCm), 0);
}

bool WriteWholeFile(const char *path, std::initializer_list<FilePart> parts) {
  // At most three parts are ever passed (headers, rows, a trailer).
  ByteSpan spans[3] = {};
  size_t count = 0;
  for (const FilePart &part : parts) {
    if (count == 3) return false;
    spans[count++] = {static_cast<const uint8_t *>(part.data), part.size};
  }
  return WriteFileAtomically(path, {spans[0], spans[1], spans[2]});
}

struct SymbolEngine::Impl {
  EngineState state{};
  SymbolMatrix matrix;
  PaletteRaster raster;
  bool encoded = false;
};

SymbolEngine::SymbolEngine() : impl_(new Impl) {}
SymbolEngine::~SymbolEngine() = default;

bool SymbolEngine::Encode(const char *message, size_t length, const SymbolSettings &settings) {
  EngineState &state = impl_->state;
  const size_t kept = KeptLength(message, length);
  if (kept > 0) std::memcpy(state.message, message, kept);
  state.message[kept] = '\0';
  state.requestedVersion = static_cast<uint16_t>(ClampedVersion(settings.requestedVersion));
  state.ecLevel = static_cast<uint16_t>(ClampedLevel(settings.level));
  state.maskSetting = static_cast<uint16_t>(ClampedMaskSetting(settings.maskSetting));
  impl_->encoded = EncodeSymbol(state, impl_->matrix);
  return impl_->encoded;
}

int SymbolEngine::version() const { return impl_->encoded ? impl_->state.version : 0; }
int SymbolEngine::side() const { return impl_->encoded ? impl_->matrix.side() : 0; }
int SymbolEngine::maskPattern() const { return impl_->encoded ? impl_->state.maskPattern : 0; }
bool SymbolEngine::Dark(int x, int y) const { return impl_->matrix.module(y, x) != 0; }

bool SymbolEngine::DrawBitmap(int width, int height, int modulePixels, BitmapImage &image) {
  if (!impl_->encoded) return false;
  EngineState &state = impl_->state;
  state.barColor = kBlack;
  state.backColor = kWhite;
  state.barDepth = state.backDepth = 1;
  state.imageWidth = width;
  state.imageHeight = height;
  state.orientation = 1;
  state.frameStyle = 0;
  state.modulePixels = modulePixels;
  if (!impl_->raster.Allocate(width, height, 1)) return false;
  DrawSymbol(impl_->raster, impl_->matrix, state, 0, 0);
  image.width = width;
  image.height = height;
  image.stride = impl_->raster.stride();
  image.headers = BitmapHeaders(impl_->raster);
  image.rows = impl_->raster.pixelRows();
  image.rowBytes = impl_->raster.pixelBytes();
  return true;
}

}  // namespace qr
