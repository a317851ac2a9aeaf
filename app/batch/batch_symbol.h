// The batch recipe in the engine's terms: the settings of its encoders, the
// module side in pixels and the symbol's side in pixels for the fit check.
// Both batches plan a line's symbol once with these and build it from the
// plan.
#pragma once

#include <string>

#include "batch_recipe.h"
#include "symbol_engine.h"

namespace qrapp {

qr::SymbolSettings SymbolSettingsOf(const BatchRecipe &recipe);

// Module side in pixels of the recipe's modules at this screen's
// resolution: what QRSaveAsBMP draws (8 at 96 dots per inch).
int BatchModulePixels();

// The plan of a line's content bytes: all of them (a zero byte included)
// in the one mode that holds them, after an ECI segment announcing their
// character set when `eciDesignator` is not 0. The ECI header counts in the
// version chosen, so the fit check sees it.
qr::SymbolPlan PlanContent(const std::string &bytes, int eciDesignator,
                           const qr::SymbolSettings &settings);

// The planned symbol's side in pixels (saturated to the int range); 0 when
// the plan holds no symbol, which the fit check takes as "too long".
int SymbolPixels(const qr::SymbolPlan &plan, int modulePixels);

}  // namespace qrapp
