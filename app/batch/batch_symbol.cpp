#include "batch_symbol.h"

#include <limits>
#include <utility>
#include <vector>

namespace qrapp {

qr::SymbolSettings SymbolSettingsOf(const BatchRecipe &recipe) {
  qr::SymbolSettings settings;
  settings.requestedVersion = recipe.version;
  settings.level = recipe.level;
  settings.maskSetting = BatchRecipe::kMaskSetting;
  return settings;
}

int BatchModulePixels() { return qr::BitmapModulePixels(BatchRecipe::kModuleSizeCm); }

qr::SymbolPlan PlanContent(const std::string &bytes, int eciDesignator,
                           const qr::SymbolSettings &settings) {
  std::vector<qr::Segment> segments;
  if (eciDesignator != 0) segments.push_back(qr::EciSegment(static_cast<uint32_t>(eciDesignator)));
  segments.push_back(qr::AllBytesSegment(bytes.data(), bytes.size()));
  return qr::PlanSymbol(bytes.data(), bytes.size(), std::move(segments), settings);
}

int SymbolPixels(const qr::SymbolPlan &plan, int modulePixels) {
  if (plan.result != qr::EncodeResult::kWritten) return 0;
  const long long pixels = static_cast<long long>(plan.side) * modulePixels;
  return pixels > std::numeric_limits<int>::max() ? std::numeric_limits<int>::max()
                                                  : static_cast<int>(pixels);
}

}  // namespace qrapp
