// The capacity rule against the engine itself: a message fits exactly when
// the engine can encode it.
#include <gtest/gtest.h>

#include <string>

#include "QRCodeWin32.h"
#include "measure_symbol.h"
#include "symbol_engine.h"

namespace {

bool FitsLargestSymbol(const std::string &message, int level) {
  qr::SymbolSettings settings;
  settings.level = level;
  return qrtest::MeasureSymbol(message.data(), message.size(), settings).version != 0;
}

bool EngineEncodes(const std::string &message, int level) {
  QRSetMessage(message.c_str());
  QRConfigure(0, level, 5);
  short rows = 0, columns = 0;
  QRGetActualRC(&rows, &columns);
  return rows != 0;
}

TEST(SymbolCapacity, BoundariesMatchTheEngine) {
  struct Case {
    int level;
    char fill;
    size_t largest;
  };
  const Case cases[] = {
      {0, '7', 7089}, {0, 'A', 4296}, {0, 'a', 2953}, {1, '7', 5596},
      {2, 'A', 2420}, {3, 'a', 1273}, {3, '7', 3057},
  };
  qr::SymbolEngine engine;
  for (const Case &c : cases) {
    const std::string fits(c.largest, c.fill), tooLong(c.largest + 1, c.fill);
    qr::SymbolSettings settings;
    settings.level = c.level;
    EXPECT_EQ(engine.Encode(fits.data(), fits.size(), settings), qr::EncodeResult::kWritten);
    EXPECT_EQ(engine.version(), 40) << c.level << c.fill;
    EXPECT_EQ(engine.Encode(tooLong.data(), tooLong.size(), settings), qr::EncodeResult::kTooLong);
    EXPECT_TRUE(FitsLargestSymbol(fits, c.level)) << c.level << c.fill;
    EXPECT_FALSE(FitsLargestSymbol(tooLong, c.level)) << c.level << c.fill;
    EXPECT_TRUE(EngineEncodes(fits, c.level)) << c.level << c.fill;
    EXPECT_FALSE(EngineEncodes(tooLong, c.level)) << c.level << c.fill;
  }
}

TEST(SymbolCapacity, ModeOfTheWholeMessage) {
  // One lower-case letter or GBK byte makes the whole message byte mode.
  EXPECT_FALSE(FitsLargestSymbol(std::string(4000, 'A') + "a", 0));
  EXPECT_FALSE(FitsLargestSymbol(std::string(2954, '\xB0'), 0));
  EXPECT_TRUE(FitsLargestSymbol(std::string(4000, '1') + "A", 0));
  // Out-of-range levels are level L, as in the engine.
  EXPECT_TRUE(FitsLargestSymbol(std::string(2953, 'a'), -1));
  EXPECT_TRUE(FitsLargestSymbol("", 3));
}

}  // namespace
