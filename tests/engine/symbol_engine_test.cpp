// The programs' entry: independent encoders give exactly what the exports
// give, and size checks agree with the encoding.
#include "symbol_engine.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "image_files.h"
#include "measure_symbol.h"
#include "pattern_data.h"

namespace {

std::vector<uint8_t> SavedByExports(const std::string &message, int version, int level, int width,
                                    int height) {
  const std::string path =
      qrtest::RemovedAtExit(::testing::TempDir() + "symbol_engine_reference.bmp");
  QRSetMessage(message.c_str());
  QRSetBackColor(255, 255, 255);
  QRSetBarColor(0, 0, 0);
  QRConfigure(version, level, 5);
  QRAppearance(0.2, 1, 0);
  QRSetSize(width, height);
  EXPECT_EQ(QRSaveAsBMP(path.c_str()), -1);
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::vector<uint8_t> DrawnBySymbolEngine(qr::SymbolEngine &engine, const std::string &message,
                                         int version, int level, int width, int height) {
  qr::SymbolSettings settings;
  settings.requestedVersion = version;
  settings.level = level;
  settings.maskSetting = 5;  // as SavedByExports configures the exports
  EXPECT_EQ(engine.Encode(message.data(), message.size(), settings), qr::EncodeResult::kWritten);
  qr::BitmapImage image;
  EXPECT_TRUE(engine.DrawBitmap(width, height, qr::BitmapModulePixels(0.2), image));
  std::vector<uint8_t> file = image.headers;
  file.insert(file.end(), image.rows, image.rows + image.rowBytes);
  return file;
}

TEST(SymbolEngine, BitmapEqualsTheExportsFileByteForByte) {
  qr::SymbolEngine engine;
  const struct {
    std::string message;
    int version, level, width, height;
  } cases[] = {{"20210706001", 0, 0, 200, 200},
               // The same size again: the block is reused without clearing.
               {"HELLO WORLD", 2, 0, 200, 200},
               {"https://example.com/p?id=42", 0, 1, 300, 250},
               {"\xb2\xe2\xca\xd4\xca\xfd\xbe\xdd", 7, 3, 401, 399},
               {std::string(300, 'x'), 0, 2, 90, 700}};
  for (const auto &c : cases) {
    EXPECT_EQ(DrawnBySymbolEngine(engine, c.message, c.version, c.level, c.width, c.height),
              SavedByExports(c.message, c.version, c.level, c.width, c.height))
        << c.message;
  }
}

TEST(SymbolEngine, AStatedResolutionChangesOnlyThePixelsPerMetre) {
  qr::SymbolEngine engine;
  const std::vector<uint8_t> plain = DrawnBySymbolEngine(engine, "20210706001", 0, 0, 200, 200);
  qr::BitmapImage image;
  ASSERT_TRUE(
      engine.DrawBitmap(200, 200, qr::BitmapModulePixels(0.2), image, qr::PixelsPerMetre(300)));
  std::vector<uint8_t> stated = image.headers;
  stated.insert(stated.end(), image.rows, image.rows + image.rowBytes);
  ASSERT_EQ(stated.size(), plain.size());
  EXPECT_EQ(qr::PixelsPerMetre(300), 11811);
  EXPECT_EQ(qr::PixelsPerMetre(96), 3780);
  EXPECT_EQ(image.pixelsPerMetre, 11811);
  // biXPelsPerMeter and biYPelsPerMeter, little-endian; every other byte as before.
  for (size_t i = 0; i < plain.size(); ++i) {
    if (i >= 38 && i < 46) {
      const uint8_t expected = static_cast<uint8_t>(11811 >> (8 * ((i - 38) % 4)));
      EXPECT_EQ(stated[i], expected) << i;
    } else {
      ASSERT_EQ(stated[i], plain[i]) << i;
    }
  }
}

TEST(SymbolEngine, MeasureAgreesWithEncodingAndClampsAsTheExports) {
  qr::SymbolEngine engine;
  for (int length : {0, 17, 33, 500, 2953, 2954, 7089}) {
    const std::string message(length, '7');
    for (int level : {0, 3, 4, -1, 65536 + 2}) {
      qr::SymbolSettings settings;
      settings.level = level;
      const qrtest::SymbolSize size =
          qrtest::MeasureSymbol(message.data(), message.size(), settings);
      const bool encoded =
          engine.Encode(message.data(), message.size(), settings) == qr::EncodeResult::kWritten;
      EXPECT_EQ(size.version != 0, encoded) << length << " " << level;
      EXPECT_EQ(size.side, engine.side());
    }
  }
  EXPECT_EQ(qr::ClampedLevel(4), 0);
  EXPECT_EQ(qr::ClampedLevel(65536 + 2), 2);
  EXPECT_EQ(qr::ClampedVersion(41), 0);
  EXPECT_EQ(qr::BitmapModulePixels(0.2), 8);
}

TEST(SymbolEngine, MessageIsCutAtAZeroByte) {
  const std::string message("abc\0def", 7);
  const qrtest::SymbolSize cut = qrtest::MeasureSymbol(message.data(), message.size(), {});
  const qrtest::SymbolSize plain = qrtest::MeasureSymbol("abc", 3, {});
  EXPECT_EQ(cut.version, plain.version);
}

}  // namespace
