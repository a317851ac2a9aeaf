#include "batch_settings.h"

#include "image_fit.h"

namespace batch {

int CaptionBandOf(const BatchSettings &settings) {
  if (settings.caption == CaptionSource::kNone || settings.labelSheets()) return 0;
  return CaptionBandHeight(EngineImageSize(settings.recipe.width, settings.recipe.height).height);
}

CaptionSource LabelCaptionOf(const BatchSettings &settings) {
  if (settings.labelSheets() && settings.caption == CaptionSource::kNone)
    return CaptionSource::kName;
  return settings.caption;
}

}  // namespace batch
