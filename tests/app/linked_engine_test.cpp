// The engine library through LinkedEngine: the symbol's size at the batch's
// recipe, and the system's reason for a file it could not write.
#include "linked_engine.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>

#include "symbol_recipe.h"

namespace qrapp {
namespace {

TEST(LinkedEngine, MeasuresTheSymbolAsTheBitmapDrawsIt) {
  LinkedEngine engine;
  SymbolRecipe recipe;
  int width = 0, height = 0;
  ApplyRecipe(engine, "20210706001", recipe);
  engine.QRGetActualSize(width, height);
  EXPECT_EQ(width, 21 * 8);
  EXPECT_EQ(height, 21 * 8);
  ApplyRecipe(engine, std::string(40, 'u'), recipe);  // version 3
  engine.QRGetActualSize(width, height);
  EXPECT_EQ(width, 29 * 8);
  ApplyRecipe(engine, std::string(3000, 'u'), recipe);  // too long for any version
  engine.QRGetActualSize(width, height);
  EXPECT_EQ(width, 0);
}

TEST(LinkedEngine, AFailedWriteSaysWhatTheSystemSaid) {
  LinkedEngine engine;
  ApplyRecipe(engine, "x", SymbolRecipe());
  EXPECT_FALSE(engine.QRSaveAsBMP("/nonexistent-folder-of-the-test/x.jpg"));
  EXPECT_EQ(engine.LastSaveError(), std::strerror(ENOENT));
}

}  // namespace
}  // namespace qrapp
