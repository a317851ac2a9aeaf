// What the window's batch asks of an engine in its own process, beside the
// DLL that writes the files: the fit check, the preview and the files of
// contents with an ECI designator, which the DLL's exports cannot carry. All
// follow the DLL's rules for the recipe ApplyRecipe sends, so no line is
// encoded twice through the DLL.
#pragma once

#include <string>

#include "batch_recipe.h"
#include "content_encoding.h"

namespace qrapp {

class BatchSymbols {
 public:
  virtual ~BatchSymbols() = default;
  // The side in pixels of the symbol QRSaveAsBMP would draw for the
  // content's bytes with the recipe's version and level (what
  // QRGetActualSize gives), its ECI designator counted; 0 when no symbol
  // holds the content. Builds no symbol.
  virtual int SymbolPixels(const qrtext::EncodedContent &content,
                           const batch::BatchRecipe &recipe) = 0;
  // The bytes of the file QRSaveAsBMP writes for the content's bytes with
  // the recipe, preceded by its ECI segment when it has one; empty when
  // no symbol holds it.
  virtual std::string BitmapFile(const qrtext::EncodedContent &content,
                                 const batch::BatchRecipe &recipe) = 0;
};

}  // namespace qrapp
