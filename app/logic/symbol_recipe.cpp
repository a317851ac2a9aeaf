#include "symbol_recipe.h"

namespace qrapp {

namespace {
constexpr int kMaskPattern4 = 5;       // fixed mask, no search
constexpr double kModuleSizeCm = 0.2;
constexpr int kUpright = 1;
constexpr int kNoFrame = 0;
}  // namespace

void ApplySymbolSettings(EngineExports &engine, const std::string &message, int version,
                         int level) {
  engine.QRSetMessage(message);
  engine.QRSetBackColor(255, 255, 255);
  engine.QRSetBarColor(0, 0, 0);
  engine.QRConfigure(version, level, kMaskPattern4);
  engine.QRAppearance(kModuleSizeCm, kUpright, kNoFrame);
}

void ApplyRecipe(EngineExports &engine, const std::string &message, const SymbolRecipe &recipe) {
  ApplySymbolSettings(engine, message, recipe.version, recipe.level);
  engine.QRSetSize(recipe.width, recipe.height);
}

}  // namespace qrapp
