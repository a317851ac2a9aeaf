// The batch's in-process symbols against the engine library itself: the
// fit check measures what QRGetActualSize measures, and the preview holds
// the very bytes QRSaveAsBMP writes, for the recipe ApplyRecipe sends.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>

#include "QRCodeWin32.h"
#include "engine_batch_symbols.h"
#include "gbk_text.h"
#include "image_files.h"
#include "qr_decoder.h"
#include "symbol_recipe.h"

namespace qrapp::testing {
namespace {

// The library's exports as the window calls them.
class LibraryExports : public EngineExports {
 public:
  void QRSetMessage(const std::string &gbk) override { ::QRSetMessage(gbk.c_str()); }
  void QRSetBackColor(int r, int g, int b) override { ::QRSetBackColor(r, g, b); }
  void QRSetBarColor(int r, int g, int b) override { ::QRSetBarColor(r, g, b); }
  void QRConfigure(int version, int level, int mask) override {
    ::QRConfigure(version, level, mask);
  }
  void QRAppearance(double size, int orientation, int frame) override {
    ::QRAppearance(size, orientation, frame);
  }
  void QRSetSize(int width, int height) override { ::QRSetSize(width, height); }
  void QRGetActualSize(int &width, int &height) override {
    ::QRGetActualSize(-1, nullptr, &width, &height);
  }
  bool QRSaveAsBMP(const std::string &fileName) override {
    return ::QRSaveAsBMP(fileName.c_str()) == -1;
  }
  std::string LastSaveError() override { return std::string(); }
};

std::string ReadBytes(const std::string &path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

TEST(BatchSymbolsTest, MeasuresAndDrawsAsTheEngineLibrary) {
  struct Case {
    std::string content;
    batch::BatchRecipe recipe;  // version, level, width, height
  };
  const Case cases[] = {
      {"20210706001", {0, 0, 200, 200}},
      {qrtext::ToGbk("产品编号20210706001"), {2, 3, 300, 240}},
      {"https://example.com/p?id=42", {0, 1, 0, 0}},  // the engine's 500 x 300
      {std::string(200, 'T'), {9, 0, 424, 424}},
      {"HELLO WORLD 123", {40, 2, 1500, 1500}},
      {std::string("cut\0here", 8), {0, 0, 200, 200}},  // the message ends at the zero
      {"", {0, 0, 200, 200}},
      {std::string(40, 'u'), {0, 0, 100, 100}},    // larger than the image: cut off
      {std::string(3000, 'x'), {0, 0, 200, 200}},  // fits no symbol
  };
  const std::string path =
      ::testing::TempDir() + "batch_symbols_" + std::to_string(getpid()) + ".bmp";
  LibraryExports library;
  EngineBatchSymbols symbols;
  for (const Case &c : cases) {
    SCOPED_TRACE(c.content.substr(0, 30) + " v" + std::to_string(c.recipe.version) + " l" +
                 std::to_string(c.recipe.level));
    ApplyRecipe(library, c.content, c.recipe);
    int width = 0, height = 0;
    library.QRGetActualSize(width, height);
    EXPECT_EQ(symbols.SymbolPixels({c.content, 0}, c.recipe), width);

    std::remove(path.c_str());
    const bool written = library.QRSaveAsBMP(path);
    const std::string bytes = symbols.BitmapFile({c.content, 0}, c.recipe);
    EXPECT_EQ(written, !bytes.empty());
    if (written) {
      EXPECT_TRUE(ReadBytes(path) == bytes) << "bitmap bytes differ";
    }
  }
  std::remove(path.c_str());
}

// A content with a designator, which the exports cannot carry, is drawn in
// process: a decoder reads the designator and the very bytes back, and the
// fit check counts the designator's header.
TEST(BatchSymbolsTest, ContentWithADesignatorReadsBackWithIt) {
  struct Case {
    qrtext::EncodedContent content;
    std::string eciBytes;  // the decoder's reading: ]Q2, then the designator as \nnnnnn
  };
  const Case cases[] = {
      {{"한국어 상품", 26}, "]Q2\\000026한국어 상품"},
      {{qrtext::ToGbk("价格 100€"), 29}, "]Q2\\000029" + qrtext::ToGbk("价格 100€")},
      {{"表情😀", 26}, "]Q2\\000026表情😀"},
  };
  const std::string path =
      ::testing::TempDir() + "batch_symbols_eci_" + std::to_string(getpid()) + ".bmp";
  EngineBatchSymbols symbols;
  const batch::BatchRecipe recipe{0, 0, 200, 200};
  for (const Case &c : cases) {
    SCOPED_TRACE(c.eciBytes);
    const std::string bytes = symbols.BitmapFile(c.content, recipe);
    ASSERT_FALSE(bytes.empty());
    std::ofstream(path, std::ios::binary) << bytes;
    qrtest::BitmapImage image;
    ASSERT_TRUE(qrtest::ReadBitmapFile(path, image));
    const qrtest::Decoded decoded = qrtest::DecodeGrey(image.Grey(), image.width, image.height);
    ASSERT_TRUE(decoded.ok);
    EXPECT_EQ(decoded.bytesEci, c.eciBytes);
  }
  std::remove(path.c_str());
  // 17 bytes fill version 1-L in byte mode; the designator's 12 bits push
  // them to version 2.
  const std::string seventeen(17, 'x');
  EXPECT_EQ(symbols.SymbolPixels({seventeen, 0}, recipe), 21 * 8);
  EXPECT_EQ(symbols.SymbolPixels({seventeen, 26}, recipe), 25 * 8);
}

}  // namespace
}  // namespace qrapp::testing
