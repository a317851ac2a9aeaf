// The batch recipe in the engine's terms: the settings of its encoders, the
// module side in pixels and the symbol's side in pixels for the fit check.
// Both batches plan a line's symbol once with these and build it from the
// plan.
#pragma once

#include <string>

#include "batch_recipe.h"
#include "symbol_engine.h"

namespace batch {

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

// The recipe's fixed module side in pixels: its own, else the window's
// 0.2 cm at this screen (BatchModulePixels).
int RecipeModulePixels(const BatchRecipe &recipe);

// A line's picture as the batch draws it, from the picture geometry
// (qr::PictureRequest, qr::PlacePicture): the module side chosen for its
// symbol, the pixels per side the symbol and the margin asked take (what
// the fit check holds against the image), the margin the picture shows.
struct PictureFit {
  int modulePixels = 0;      // 0: not even a module of one pixel fits (automatic size)
  int neededPixels = 0;      // 0: no symbol holds the content
  int quietZoneModules = 0;  // whole modules of margin on the narrowest side
};

// `fixedModulePixels`: RecipeModulePixels(recipe), worked out once per
// batch. An automatic module keeps the standard's quiet zone when no
// margin is asked and it fits, else the symbol alone.
// `captionBand`: rows at the bottom of the image kept for a caption.
PictureFit FitPicture(const qr::SymbolPlan &plan, const BatchRecipe &recipe, int fixedModulePixels,
                      int captionBand = 0);

}  // namespace batch
