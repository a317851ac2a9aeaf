// The engine settings sent before every image.
#pragma once

#include <string>

#include "engine_exports.h"

namespace qrapp {

struct SymbolRecipe {
  int version = 0;  // 0 automatic, 1..40
  int level = 0;    // 0..3 = L, M, Q, H
  int width = 200;
  int height = 200;
};

// QRSetMessage, white back, black bars, QRConfigure(version, level, mask 5),
// QRAppearance(0.2, 1, 0) - in this order, and no size.
void ApplySymbolSettings(EngineExports &engine, const std::string &message, int version,
                         int level);

// ApplySymbolSettings, then QRSetSize(width, height).
void ApplyRecipe(EngineExports &engine, const std::string &message, const SymbolRecipe &recipe);

}  // namespace qrapp
