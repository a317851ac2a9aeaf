#include "engine_batch_symbols.h"

#include "image_fit.h"

namespace qrapp {

namespace {

qr::SymbolSettings SettingsOf(const BatchRecipe &recipe) {
  qr::SymbolSettings settings;
  settings.requestedVersion = recipe.version;
  settings.level = recipe.level;
  settings.maskSetting = BatchRecipe::kMaskSetting;
  return settings;
}

}  // namespace

int EngineBatchSymbols::ModulePixels() {
  if (modulePixels_ == 0) modulePixels_ = qr::BitmapModulePixels(BatchRecipe::kModuleSizeCm);
  return modulePixels_;
}

int EngineBatchSymbols::SymbolPixels(const std::string &content, const BatchRecipe &recipe) {
  const qr::SymbolSize size = qr::MeasureSymbol(content.data(), content.size(), SettingsOf(recipe));
  const long long pixels = static_cast<long long>(size.side) * ModulePixels();
  return pixels > 2147483647LL ? 2147483647 : static_cast<int>(pixels);
}

std::string EngineBatchSymbols::BitmapFile(const std::string &content, const BatchRecipe &recipe) {
  const ImageSize image = EngineImageSize(recipe.width, recipe.height);
  if (!engine_.Encode(content.data(), content.size(), SettingsOf(recipe)) ||
      !engine_.DrawBitmap(image.width, image.height, ModulePixels(), image_)) {
    return std::string();
  }
  std::string bytes(image_.headers.begin(), image_.headers.end());
  bytes.append(reinterpret_cast<const char *>(image_.rows), image_.rowBytes);
  return bytes;
}

}  // namespace qrapp
