// The setters' storing and clamping, and the read-out exports.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

#include "QRCodeWin32.h"
#include "engine_state.h"
#include "pattern_data.h"

namespace {

using qr::engineState;

class Settings : public ::testing::Test {
 protected:
  void SetUp() override { engineState = qr::EngineState{}; }
};

TEST_F(Settings, LoadStateAndDefaults) {
  EXPECT_EQ(engineState.imageWidth, 0);
  EXPECT_EQ(engineState.moduleSize, 0.0f);
  QRSetBarColor(0, 0, 1);
  QRSetDefault();
  EXPECT_STREQ(engineState.message, "12");
  EXPECT_EQ(engineState.barColor, 0x000000u);
  EXPECT_EQ(engineState.backColor, 0xFFFFFFu);
  EXPECT_EQ(engineState.barDepth, 4);   // kept from the colour setter
  EXPECT_EQ(engineState.backDepth, 0);  // never set
  EXPECT_EQ(engineState.imageWidth, 500);
  EXPECT_EQ(engineState.imageHeight, 300);
  EXPECT_FLOAT_EQ(engineState.moduleSize, 0.07f);
  EXPECT_EQ(engineState.ecLevel, 0);
  EXPECT_EQ(engineState.maskSetting, 0);
  EXPECT_EQ(engineState.requestedVersion, 0);
  short rows = 0, columns = 0;
  QRGetActualRC(&rows, &columns);
  EXPECT_EQ(rows, 21);
  EXPECT_EQ(engineState.dataMode, 1);  // "12" is numeric
}

TEST_F(Settings, ConfigureClampsLow16Bits) {
  QRConfigure(41, 4, 9);
  EXPECT_EQ(engineState.requestedVersion, 0);
  EXPECT_EQ(engineState.ecLevel, 0);
  EXPECT_EQ(engineState.maskSetting, 0);
  QRConfigure(0x10005, 1, 1);
  EXPECT_EQ(engineState.requestedVersion, 5);
  EXPECT_EQ(engineState.ecLevel, 1);
  EXPECT_EQ(engineState.maskSetting, 1);
  QRConfigure(-1, -1, -1);
  EXPECT_EQ(engineState.requestedVersion, 0);
  EXPECT_EQ(engineState.ecLevel, 0);
  EXPECT_EQ(engineState.maskSetting, 0);
  QRConfigure(40, 3, 8);
  EXPECT_EQ(engineState.requestedVersion, 40);
  EXPECT_EQ(engineState.ecLevel, 3);
  EXPECT_EQ(engineState.maskSetting, 8);
}

TEST_F(Settings, SizeAppearanceAndColours) {
  QRSetSize(0, 0);
  EXPECT_EQ(engineState.imageWidth, 500);
  EXPECT_EQ(engineState.imageHeight, 300);
  QRSetSize(-10, 20);
  EXPECT_EQ(engineState.imageWidth, -10);
  EXPECT_EQ(engineState.imageHeight, 20);

  for (double bad : {0.0, -1.0, std::numeric_limits<double>::quiet_NaN()}) {
    QRAppearance(bad, 0, 0);
    EXPECT_FLOAT_EQ(engineState.moduleSize, 0.07f);
  }
  QRAppearance(0.1, 4, 3);
  EXPECT_EQ(engineState.moduleSize, static_cast<float>(0.1));
  EXPECT_EQ(engineState.orientation, 0);
  EXPECT_EQ(engineState.frameStyle, 0);
  QRAppearance(0.2, 0x10003, 2);
  EXPECT_EQ(engineState.orientation, 3);
  EXPECT_EQ(engineState.frameStyle, 2);

  QRSetBarColor(0, 0, 0);
  EXPECT_EQ(engineState.barDepth, 1);
  QRSetBarColor(0, 0, 1);
  EXPECT_EQ(engineState.barDepth, 4);
  EXPECT_EQ(engineState.barColor, 0x010000u);
  QRSetBarColor(300, 0, 0);  // above 255 counts as 0
  EXPECT_EQ(engineState.barColor, 0u);
  EXPECT_EQ(engineState.barDepth, 1);
  QRSetBackColor(255, 255, 255);
  EXPECT_EQ(engineState.backColor, 0xFFFFFFu);
  EXPECT_EQ(engineState.backDepth, 1);
  QRSetBackColor(255, 255, 254);
  EXPECT_EQ(engineState.backDepth, 4);
  QRSetBackColor(256, 255, 255);
  EXPECT_EQ(engineState.backColor, 0xFFFF00u);
  EXPECT_EQ(engineState.backDepth, 4);
  QRSetBackColor(0x10000 + 255, 255, 255);  // low 16 bits: 255
  EXPECT_EQ(engineState.backDepth, 1);
}

TEST_F(Settings, LongMessagesKeepTheirFirst7999Bytes) {
  std::string huge(20000, '5');
  huge[7998] = 'x';
  QRSetMessage(huge.c_str());
  EXPECT_EQ(std::string(engineState.message).size(), 7999u);
  EXPECT_EQ(engineState.message[7998], 'x');
  // No version holds it: every read-out reports failure.
  short rows = 7, columns = 7;
  QRGetActualRC(&rows, &columns);
  EXPECT_EQ(rows, 0);
  EXPECT_EQ(columns, 0);
  unsigned size = 100;
  char buffer[100];
  EXPECT_EQ(QRGetPatternData(buffer, &size, &rows, &columns), -1);
  EXPECT_EQ(size, 0u);
  QRSetMessage(nullptr);  // treated as the empty text
  EXPECT_STREQ(engineState.message, "");
}

TEST_F(Settings, PatternDataProtocol) {
  QRSetDefault();
  unsigned size = 0;
  short rows = 0, columns = 0;
  EXPECT_EQ(QRGetPatternData(nullptr, &size, &rows, &columns), 0);
  EXPECT_EQ(size, 441u);
  EXPECT_EQ(rows, 21);
  EXPECT_EQ(columns, 21);

  std::string buffer(442, '#');
  rows = columns = 5;
  EXPECT_EQ(QRGetPatternData(&buffer[0], &size, &rows, &columns), -1);
  EXPECT_EQ(size, 441u);  // the caller's values stay
  EXPECT_EQ(rows, 5);
  EXPECT_EQ(buffer.find_first_not_of("01"), 441u);  // no terminator written

  // The picture is the standard figure turned a quarter turn clockwise:
  // finder patterns top-left, top-right and bottom-right.
  auto at = [&](int x, int y) { return buffer[static_cast<size_t>(y) * 21 + x]; };
  for (int corner = 0; corner < 7; ++corner) {
    EXPECT_EQ(at(corner, 0), '1');
    EXPECT_EQ(at(20 - corner, 0), '1');
    EXPECT_EQ(at(20 - corner, 20), '1');
  }
  EXPECT_EQ(at(13, 20), '0');  // separator of the bottom-right finder pattern
  EXPECT_EQ(at(7, 8), '1');    // the dark module, row 13 column 8 of the standard figure
}

TEST_F(Settings, SameSettingsGiveTheSameSymbol) {
  QRSetDefault();
  QRSetMessage("repeatable");
  QRConfigure(0, 2, 0);
  std::string first = qrtest::PatternData();
  QRSetMessage("something else entirely");
  qrtest::PatternData();
  QRSetMessage("repeatable");
  EXPECT_EQ(qrtest::PatternData(), first);
}

}  // namespace
