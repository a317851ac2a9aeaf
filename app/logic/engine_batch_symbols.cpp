#include "engine_batch_symbols.h"

#include "batch_symbol.h"
#include "image_fit.h"

namespace qrapp {

int EngineBatchSymbols::ModulePixels() {
  if (modulePixels_ == 0) modulePixels_ = BatchModulePixels();
  return modulePixels_;
}

int EngineBatchSymbols::SymbolPixels(const std::string &content, const BatchRecipe &recipe) {
  return qrapp::SymbolPixels(
      qr::PlanSymbol(content.data(), content.size(), SymbolSettingsOf(recipe)), ModulePixels());
}

std::string EngineBatchSymbols::BitmapFile(const std::string &content, const BatchRecipe &recipe) {
  const ImageSize image = EngineImageSize(recipe.width, recipe.height);
  if (engine_.Encode(content.data(), content.size(), SymbolSettingsOf(recipe)) !=
          qr::EncodeResult::kWritten ||
      !engine_.DrawBitmap(image.width, image.height, ModulePixels(), image_)) {
    return std::string();
  }
  std::string bytes(image_.headers.begin(), image_.headers.end());
  bytes.append(reinterpret_cast<const char *>(image_.rows), image_.rowBytes);
  return bytes;
}

}  // namespace qrapp
