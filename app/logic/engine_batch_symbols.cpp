#include "engine_batch_symbols.h"

#include "batch_symbol.h"
#include "image_fit.h"

namespace qrapp {

namespace {

// Without a designator, the exports' own plan (the message cut as
// QRSetMessage cuts it); with one, the ECI segment and then every byte in
// the mode the exports would choose for them.
qr::SymbolPlan PlanOf(const qrtext::EncodedContent &content, const batch::BatchRecipe &recipe) {
  const std::string &bytes = content.bytes;
  if (content.eciDesignator == 0)
    return qr::PlanSymbol(bytes.data(), bytes.size(), batch::SymbolSettingsOf(recipe));
  return qr::PlanSymbol(bytes.data(), bytes.size(),
                        {qr::EciSegment(static_cast<uint32_t>(content.eciDesignator)),
                         qr::AllBytesSegment(bytes.data(), bytes.size())},
                        batch::SymbolSettingsOf(recipe));
}

}  // namespace

int EngineBatchSymbols::ModulePixels() {
  if (modulePixels_ == 0) modulePixels_ = batch::BatchModulePixels();
  return modulePixels_;
}

int EngineBatchSymbols::SymbolPixels(const qrtext::EncodedContent &content,
                                     const batch::BatchRecipe &recipe) {
  return batch::SymbolPixels(PlanOf(content, recipe), ModulePixels());
}

std::string EngineBatchSymbols::BitmapFile(const qrtext::EncodedContent &content,
                                           const batch::BatchRecipe &recipe) {
  const batch::ImageSize image = batch::EngineImageSize(recipe.width, recipe.height);
  const std::string &bytes = content.bytes;
  if (engine_.Encode(PlanOf(content, recipe), bytes.data(), bytes.size()) !=
          qr::EncodeResult::kWritten ||
      !engine_.DrawBitmap(image.width, image.height, ModulePixels(), image_)) {
    return std::string();
  }
  std::string file(image_.headers.begin(), image_.headers.end());
  file.append(reinterpret_cast<const char *>(image_.rows), image_.rowBytes);
  return file;
}

}  // namespace qrapp
