#include "batch_symbol.h"

#include <algorithm>
#include <limits>
#include <utility>
#include <vector>

#include "image_fit.h"

namespace batch {

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

int RecipeModulePixels(const BatchRecipe &recipe) {
  return recipe.modulePixels > 0 ? recipe.modulePixels : BatchModulePixels();
}

PictureFit FitPicture(const qr::SymbolPlan &plan, const BatchRecipe &recipe, int fixedModulePixels,
                      int captionBand) {
  PictureFit fit;
  if (plan.result != qr::EncodeResult::kWritten) return fit;
  const ImageSize image = EngineImageSize(recipe.width, recipe.height);
  qr::PictureRequest request;
  request.width = image.width;
  request.height = image.height;
  request.textBandHeight = captionBand;
  request.quietZoneModules = std::max(recipe.quietZone, 0);
  if (recipe.autoModule) {
    if (recipe.quietZone < 0) request.quietZoneModules = BatchRecipe::kStandardQuietZone;
    fit.modulePixels = qr::RequestedModulePixels(plan.side, request);
    if (fit.modulePixels == 0 && recipe.quietZone < 0) {
      request.quietZoneModules = 0;
      fit.modulePixels = qr::RequestedModulePixels(plan.side, request);
    }
  } else {
    fit.modulePixels = fixedModulePixels;
  }
  // With no module that fits, what one pixel a module would need.
  fit.neededPixels =
      qr::FramedSymbolPixels(plan.side, request.quietZoneModules, std::max(fit.modulePixels, 1));
  if (fit.modulePixels > 0) {
    fit.quietZoneModules = qr::PlacePicture(plan.side, image.width, image.height - captionBand,
                                            fit.modulePixels, BatchRecipe::kOrientation)
                               .quietZoneModules;
  }
  return fit;
}

}  // namespace batch
