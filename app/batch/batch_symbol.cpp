#include "batch_symbol.h"

#include <limits>

namespace qrapp {

qr::SymbolSettings SymbolSettingsOf(const BatchRecipe &recipe) {
  qr::SymbolSettings settings;
  settings.requestedVersion = recipe.version;
  settings.level = recipe.level;
  settings.maskSetting = BatchRecipe::kMaskSetting;
  return settings;
}

int BatchModulePixels() { return qr::BitmapModulePixels(BatchRecipe::kModuleSizeCm); }

int SymbolPixels(const qr::SymbolPlan &plan, int modulePixels) {
  if (plan.result != qr::EncodeResult::kWritten) return 0;
  const long long pixels = static_cast<long long>(plan.side) * modulePixels;
  return pixels > std::numeric_limits<int>::max() ? std::numeric_limits<int>::max()
                                                  : static_cast<int>(pixels);
}

}  // namespace qrapp
