#include "symbol_recipe.h"

namespace qrapp {

void ApplySymbolSettings(EngineExports &engine, const std::string &message, int version,
                         int level) {
  using Recipe = batch::BatchRecipe;
  engine.QRSetMessage(message);
  engine.QRSetBackColor(Recipe::kBackColor.red, Recipe::kBackColor.green, Recipe::kBackColor.blue);
  engine.QRSetBarColor(Recipe::kBarColor.red, Recipe::kBarColor.green, Recipe::kBarColor.blue);
  engine.QRConfigure(version, level, Recipe::kMaskSetting);
  engine.QRAppearance(Recipe::kModuleSizeCm, Recipe::kOrientation, Recipe::kFrameStyle);
}

void ApplyRecipe(EngineExports &engine, const std::string &message,
                 const batch::BatchRecipe &recipe) {
  ApplySymbolSettings(engine, message, recipe.version, recipe.level);
  engine.QRSetSize(recipe.width, recipe.height);
}

}  // namespace qrapp
