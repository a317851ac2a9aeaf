// The batch recipe sent to the engine's exports before every image.
#pragma once

#include <string>

#include "batch_recipe.h"
#include "engine_exports.h"

namespace qrapp {

// QRSetMessage, the recipe's back and bar colours, QRConfigure(version,
// level, the recipe's mask), QRAppearance(module size, orientation, frame)
// - in this order, and no size.
void ApplySymbolSettings(EngineExports &engine, const std::string &message, int version, int level);

// ApplySymbolSettings, then QRSetSize(width, height).
void ApplyRecipe(EngineExports &engine, const std::string &message,
                 const batch::BatchRecipe &recipe);

}  // namespace qrapp
