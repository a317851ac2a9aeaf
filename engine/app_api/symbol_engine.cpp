#include "symbol_engine.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstring>
#include <utility>

#include "bmp_file.h"
#include "data_encoding.h"
#include "encode_symbol.h"
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

// Segment lists longer than this hold more bits than any symbol.
constexpr size_t kMostSegments = 1 << 16;

int SegmentCount(const SymbolPlan &plan) {
  return static_cast<int>(std::min(plan.segments.size(), kMostSegments));
}

// The info header's biXPelsPerMeter and biYPelsPerMeter (after the 14-byte
// file header, at 24 and 28), little-endian.
void StatePixelsPerMetre(std::vector<uint8_t> &headers, int pixelsPerMetre) {
  constexpr size_t kHorizontal = 14 + 24, kVertical = 14 + 28;
  if (headers.size() < kVertical + 4) return;
  const auto value = static_cast<uint32_t>(pixelsPerMetre);
  for (int i = 0; i < 4; ++i) {
    headers[kHorizontal + i] = static_cast<uint8_t>(value >> (8 * i));
    headers[kVertical + i] = static_cast<uint8_t>(value >> (8 * i));
  }
}

}  // namespace

int ClampedVersion(int requestedVersion) { return Clamped16(requestedVersion, kVersionBound); }
int ClampedLevel(int level) { return Clamped16(level, kLevelBound); }
int ClampedMaskSetting(int maskSetting) { return Clamped16(maskSetting, kMaskSettingBound); }

namespace {

// Settles the plan's settings and version for its (valid) segments.
void PlanVersion(SymbolPlan &plan, const SymbolSettings &settings) {
  plan.level = ClampedLevel(settings.level);
  plan.maskSetting = ClampedMaskSetting(settings.maskSetting);
  if (plan.segments.size() > kMostSegments) {
    plan.result = EncodeResult::kTooLong;
    return;
  }
  plan.version = ChooseVersion(plan.segments.data(), SegmentCount(plan),
                               ClampedVersion(settings.requestedVersion), plan.level);
  plan.side = plan.version == 0 ? 0 : symbolSide[plan.version];
  plan.result = plan.version == 0 ? EncodeResult::kTooLong : EncodeResult::kWritten;
}

}  // namespace

SymbolPlan PlanSymbol(const char *message, size_t length, const SymbolSettings &settings) {
  const int kept = static_cast<int>(KeptLength(message, length));
  SymbolPlan plan;
  plan.segments.push_back(
      WholeMessageSegment(reinterpret_cast<const unsigned char *>(message), kept));
  PlanVersion(plan, settings);
  return plan;
}

Segment AllBytesSegment(const char *message, size_t length) {
  // The mode is chosen from at most INT_MAX bytes: a longer message fits no
  // symbol in any mode.
  const int scanned = static_cast<int>(std::min<size_t>(length, INT_MAX));
  return DataSegment(ChooseDataMode(reinterpret_cast<const unsigned char *>(message), scanned), 0,
                     length);
}

SymbolPlan PlanSymbol(const char *message, size_t length, std::vector<Segment> segments,
                      const SymbolSettings &settings) {
  SymbolPlan plan;
  plan.segments = std::move(segments);
  const auto *bytes = reinterpret_cast<const unsigned char *>(message);
  if (message == nullptr) length = 0;
  if (!SegmentsValid(bytes, length, plan.segments.data(), SegmentCount(plan))) {
    plan.level = ClampedLevel(settings.level);
    plan.maskSetting = ClampedMaskSetting(settings.maskSetting);
    plan.result = EncodeResult::kInvalidSegments;
    return plan;
  }
  PlanVersion(plan, settings);
  return plan;
}

int BitmapModulePixels(double moduleSizeCm) {
  const ScreenMetrics screen = QueryScreen();
  return ModulePixels(OutputResolution(1, screen.horizontalDpi, screen.verticalDpi),
                      static_cast<float>(moduleSizeCm), 0);
}

int PixelsPerMetre(int dotsPerInch) { return static_cast<int>(std::lround(dotsPerInch / 0.0254)); }

struct SymbolEngine::Impl {
  SymbolMatrix matrix;
  PaletteRaster raster;
  bool encoded = false;
  int version = 0;
  int maskPattern = 0;

  EncodeResult Build(const unsigned char *message, const Segment *segments, int count, int version,
                     int level, int maskSetting) {
    BuiltSymbol built;
    const SymbolRequest request{message, segments, count, version, level, maskSetting};
    const EncodeResult result = BuildSymbol(request, matrix, built);
    encoded = result == EncodeResult::kWritten;
    this->version = version;
    maskPattern = built.maskPattern;
    return result;
  }
  EncodeResult Fail(EncodeResult result) {
    encoded = false;
    return result;
  }
};

SymbolEngine::SymbolEngine() : impl_(new Impl) {}
SymbolEngine::~SymbolEngine() = default;

EncodeResult SymbolEngine::Encode(const char *message, size_t length,
                                  const SymbolSettings &settings) {
  // PlanSymbol's rule, without a plan's list on the heap.
  const int kept = static_cast<int>(KeptLength(message, length));
  const auto *bytes = reinterpret_cast<const unsigned char *>(message);
  const Segment segment = WholeMessageSegment(bytes, kept);
  const int level = ClampedLevel(settings.level);
  const int version = ChooseVersion(&segment, 1, ClampedVersion(settings.requestedVersion), level);
  if (version == 0) return impl_->Fail(EncodeResult::kTooLong);
  return impl_->Build(bytes, &segment, 1, version, level, ClampedMaskSetting(settings.maskSetting));
}

EncodeResult SymbolEngine::Encode(const SymbolPlan &plan, const char *message, size_t length) {
  if (plan.result != EncodeResult::kWritten) return impl_->Fail(plan.result);
  if (message == nullptr) length = 0;
  for (const Segment &segment : plan.segments)
    if (segment.mode != kEci &&
        (segment.offset > length || segment.length > length - segment.offset))
      return impl_->Fail(EncodeResult::kInvalidSegments);
  return impl_->Build(reinterpret_cast<const unsigned char *>(message), plan.segments.data(),
                      SegmentCount(plan), plan.version, plan.level, plan.maskSetting);
}

int SymbolEngine::version() const { return impl_->encoded ? impl_->version : 0; }
int SymbolEngine::side() const { return impl_->encoded ? impl_->matrix.side() : 0; }
int SymbolEngine::maskPattern() const { return impl_->encoded ? impl_->maskPattern : 0; }
bool SymbolEngine::Dark(int x, int y) const { return impl_->matrix.module(y, x) != 0; }

SymbolPicture SymbolEngine::Picture(int width, int height, int modulePixels) const {
  const int side = this->side();
  // The batch's pictures show the standard's figure upright: orientation 1.
  return SymbolPicture(impl_->matrix.modules(), side,
                       PlacePicture(side, width, height, modulePixels, 1));
}

bool SymbolEngine::DrawBitmap(int width, int height, int modulePixels, BitmapImage &image,
                              int pixelsPerMetre) {
  if (!impl_->encoded) return false;
  if (!impl_->raster.Allocate(width, height, 1)) return false;
  const SymbolPicture picture = Picture(width, height, modulePixels);
  DrawSymbolOnRaster(impl_->raster, picture.placement(), impl_->matrix, {kBlack, kWhite, 0}, 0, 0);
  image.width = width;
  image.height = height;
  image.stride = impl_->raster.stride();
  image.headers = BitmapHeaders(impl_->raster);
  image.pixelsPerMetre = pixelsPerMetre;
  if (pixelsPerMetre > 0) StatePixelsPerMetre(image.headers, pixelsPerMetre);
  image.rows = impl_->raster.pixelRows();
  image.rowBytes = impl_->raster.pixelBytes();
  return true;
}

}  // namespace qr
