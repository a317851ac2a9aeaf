// The verifier against symbols the engine draws: every kind of content
// reads back (ECI designators aside), any other expectation, a damaged
// symbol or a damaged file fails with a reason that says what was read.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "png_image.h"
#include "symbol_engine.h"
#include "symbol_verifier.h"

namespace {

using qrverify::GreyImage;

// A step's outcome as gtest's, its reason shown when it failed.
::testing::AssertionResult Done(const qrplatform::Outcome &outcome) {
  if (outcome) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << outcome.reason();
}

struct Drawn {
  qr::SymbolEngine engine;
  qr::BitmapImage bitmap;
};

// `content` as the batch draws it: level L, mask 4, 8 px modules, an ECI
// segment first when `eci` is not 0.
void Draw(Drawn &drawn, const std::string &content, int size, uint32_t eci = 0) {
  const qr::SymbolSettings settings{0, 0, 5};
  std::vector<qr::Segment> segments;
  if (eci != 0) segments.push_back(qr::EciSegment(eci));
  segments.push_back(qr::AllBytesSegment(content.data(), content.size()));
  const qr::SymbolPlan plan =
      qr::PlanSymbol(content.data(), content.size(), std::move(segments), settings);
  ASSERT_EQ(drawn.engine.Encode(plan, content.data(), content.size()), qr::EncodeResult::kWritten);
  ASSERT_TRUE(drawn.engine.DrawBitmap(size, size, 8, drawn.bitmap));
}

GreyImage FromBitmap(const qr::BitmapImage &bitmap) {
  GreyImage grey;
  EXPECT_TRUE(Done(grey.FromBitmapFile(bitmap.headers.data(), bitmap.headers.size(), bitmap.rows,
                                       bitmap.rowBytes)));
  return grey;
}

TEST(VerifySymbol, EveryContentReadsBackFromBitmapAndPng) {
  struct Case {
    const char *what;
    std::string content;
    uint32_t eci;
    int size;
  };
  const Case cases[] = {
      {"digits", "20210706001", 0, 200},
      {"url filling the image edge to edge", "https://example.com/x?id=1", 0, 200},
      {"GBK without ECI", "\xBB\xAA\xCE\xAA Mate 60 Pro", 0, 200},
      {"UTF-8 under ECI 26", "\xE5\x8D\x8E\xE4\xB8\xBA Mate 60 Pro \xF0\x9F\x98\x80", 26, 250},
      {"GBK under ECI 29", "\xB5\xF7\xD1\xB9\xB9\xF1_3253", 29, 200},
      {"zero and high bytes", std::string("a\0b\xFF\x80", 5), 0, 200},
      {"a long line", std::string(600, 'q'), 0, 800},
  };
  qrimage::PngEncoder png;
  for (const Case &c : cases) {
    SCOPED_TRACE(c.what);
    Drawn drawn;
    Draw(drawn, c.content, c.size, c.eci);
    EXPECT_TRUE(Done(FromBitmap(drawn.bitmap).Verify(c.content)));

    std::vector<uint8_t> file(drawn.bitmap.headers);
    file.insert(file.end(), drawn.bitmap.rows, drawn.bitmap.rows + drawn.bitmap.rowBytes);
    GreyImage whole;
    ASSERT_TRUE(Done(whole.FromBitmapFile(file.data(), file.size())));
    EXPECT_TRUE(Done(whole.Verify(c.content)));

    std::vector<uint8_t> pngFile;
    ASSERT_TRUE(png.Encode(drawn.bitmap, pngFile));
    GreyImage fromPng;
    ASSERT_TRUE(Done(fromPng.FromPngFile(pngFile.data(), pngFile.size())));
    EXPECT_EQ(fromPng.pixels(), whole.pixels());
    EXPECT_TRUE(Done(fromPng.Verify(c.content)));

    // Any other expectation fails, and says where the bytes part.
    std::string other = c.content;
    other.back() ^= 1;
    const qrplatform::Outcome changed = fromPng.Verify(other);
    EXPECT_FALSE(changed);
    EXPECT_NE(changed.reason().find("from byte " + std::to_string(c.content.size() - 1)),
              std::string::npos)
        << changed.reason();
    const qrplatform::Outcome longer = fromPng.Verify(c.content + "!");
    EXPECT_FALSE(longer);
    EXPECT_NE(longer.reason().find("not the " + std::to_string(c.content.size() + 1) + " written"),
              std::string::npos)
        << longer.reason();
  }
}

TEST(VerifySymbol, DamagedSymbolsAndFilesFailWithTheirReason) {
  Drawn drawn;
  const std::string content = "https://shop.example.com/item?id=4200&ref=batch";
  Draw(drawn, content, 330);
  GreyImage grey = FromBitmap(drawn.bitmap);
  ASSERT_TRUE(Done(grey.Verify(content)));

  // A block of modules inverted in the middle: more than level L repairs.
  std::vector<uint8_t> pixels = grey.pixels();
  for (int y = 140; y < 204; ++y)
    for (int x = 140; x < 204; ++x) pixels[y * 330 + x] ^= 0xFF;
  const qrplatform::Outcome damaged = qrverify::VerifySymbol(pixels.data(), 330, 330, 330, content);
  EXPECT_FALSE(damaged);
  EXPECT_EQ(damaged.reason(), "the QR Code has more damaged modules than error correction repairs");

  // A white image holds no symbol at all.
  const std::vector<uint8_t> white(100 * 100, 255);
  const qrplatform::Outcome blank = qrverify::VerifySymbol(white.data(), 100, 100, 100, content);
  EXPECT_FALSE(blank);
  EXPECT_EQ(blank.reason(), "no QR Code was found in the image");

  // Files that cannot be read as images.
  std::vector<uint8_t> file(drawn.bitmap.headers);
  file.insert(file.end(), drawn.bitmap.rows, drawn.bitmap.rows + drawn.bitmap.rowBytes);
  GreyImage read;
  const qrplatform::Outcome cut = read.FromBitmapFile(file.data(), file.size() - 100);
  EXPECT_FALSE(cut);
  EXPECT_EQ(cut.reason(), "the bitmap file is damaged");
  std::vector<uint8_t> huge(drawn.bitmap.headers);
  for (size_t at : {18, 22}) {  // width and height: 20000 px
    huge[at] = 20000 & 0xFF;
    huge[at + 1] = 20000 >> 8;
  }
  const qrplatform::Outcome tooLarge = read.FromBitmapFile(huge.data(), huge.size(), nullptr, 0);
  EXPECT_FALSE(tooLarge);
  EXPECT_EQ(tooLarge.reason(), "the image is too large to read back");
  file[0] = 'X';
  EXPECT_FALSE(read.FromBitmapFile(file.data(), file.size()));
  std::vector<uint8_t> pngFile;
  qrimage::PngEncoder png;
  ASSERT_TRUE(png.Encode(drawn.bitmap, pngFile));
  pngFile[pngFile.size() / 2] ^= 0x55;  // inside the image data: its checksum fails
  const qrplatform::Outcome badPng = read.FromPngFile(pngFile.data(), pngFile.size());
  EXPECT_FALSE(badPng);
  EXPECT_EQ(badPng.reason().rfind("the PNG file is damaged", 0), 0u) << badPng.reason();
}

}  // namespace
