// What the window's batch asks of an engine in its own process, beside the
// DLL that writes the files: the fit check and the preview. Both follow the
// DLL's rules for the recipe ApplyRecipe sends, so no line is encoded twice
// through the DLL.
#pragma once

#include <string>

#include "batch_recipe.h"

namespace qrapp {

class BatchSymbols {
 public:
  virtual ~BatchSymbols() = default;
  // The side in pixels of the symbol QRSaveAsBMP would draw for `content`
  // with the recipe's version and level (what QRGetActualSize gives); 0
  // when no symbol holds the content. Builds no symbol.
  virtual int SymbolPixels(const std::string &content, const BatchRecipe &recipe) = 0;
  // The bytes of the file QRSaveAsBMP writes for `content` with the
  // recipe; empty when it writes none.
  virtual std::string BitmapFile(const std::string &content, const BatchRecipe &recipe) = 0;
};

}  // namespace qrapp
