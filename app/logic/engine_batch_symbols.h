// BatchSymbols over the engine's programs' entry (symbol_engine.h): the
// same version choice, module pixels and bitmap bytes as the DLL.
#pragma once

#include "batch_symbols.h"
#include "symbol_engine.h"

namespace qrapp {

class EngineBatchSymbols : public BatchSymbols {
 public:
  int SymbolPixels(const qrtext::EncodedContent &content,
                   const batch::BatchRecipe &recipe) override;
  std::string BitmapFile(const qrtext::EncodedContent &content,
                         const batch::BatchRecipe &recipe) override;

 private:
  int ModulePixels();

  int modulePixels_ = 0;  // asked of the screen at first use
  qr::SymbolEngine engine_;
  qr::BitmapImage image_;
};

}  // namespace qrapp
