// Symbols read back by a real decoder (zxing-cpp): the bytes read must be
// the message, whatever the mode, level, requested version and mask.
#include <gtest/gtest.h>

#include <random>
#include <string>

#include "pattern_data.h"
#include "qr_decoder.h"

namespace {

struct Recipe {
  int version;
  int level;
  int mask;
};

void ExpectReadsBack(const std::string &message, const Recipe &recipe) {
  QRSetDefault();
  QRSetMessage(message.c_str());
  QRConfigure(recipe.version, recipe.level, recipe.mask);
  int side = 0;
  std::string pattern = qrtest::PatternData(&side);
  ASSERT_FALSE(pattern.empty()) << "not encodable: " << message.size() << " bytes";
  qrtest::Decoded decoded = qrtest::DecodePattern(pattern, side);
  ASSERT_TRUE(decoded.ok) << "unreadable, " << message.size() << " bytes, version "
                          << recipe.version << ", level " << recipe.level << ", mask "
                          << recipe.mask;
  EXPECT_EQ(decoded.bytes, message);
  EXPECT_EQ(decoded.ecLevel, std::string(1, "LMQH"[recipe.level]));
}

TEST(DecodeRoundTrip, ModesAcrossLevelsAndMasks) {
  // clang-format off
  const std::string messages[] = {
      "",          "0",           "12345",  "20210706001", "01234567", "AC-42",
      "A1",        "HELLO WORLD", "$%*+-./:", "hello, world",
      "\xb2\xe2\xca\xd4\xca\xfd\xbe\xdd",  // 测试数据 in GBK
  };
  // clang-format on
  for (const std::string &message : messages)
    for (int level = 0; level < 4; ++level)
      for (int mask = 0; mask <= 8; ++mask) ExpectReadsBack(message, {0, level, mask});
}

TEST(DecodeRoundTrip, RequestedVersionsAndLongMessages) {
  std::mt19937 random(7);
  for (int version = 1; version <= 40; ++version) {
    std::string digits;
    for (int i = 0; i < 3 * version; ++i) digits += static_cast<char>('0' + random() % 10);
    ExpectReadsBack(digits, {version, static_cast<int>(version % 4), 0});
  }
  ExpectReadsBack(std::string(2953, 'x'), {0, 0, 0});
  ExpectReadsBack(std::string(7089, '7'), {0, 0, 5});
  ExpectReadsBack(std::string(1852, 'Q'), {0, 3, 0});
}

TEST(DecodeRoundTrip, ArbitraryBytes) {
  std::mt19937 random(42);
  for (int round = 0; round < 60; ++round) {
    std::string message;
    const int length = static_cast<int>(random() % 300);
    for (int i = 0; i < length; ++i)
      message += static_cast<char>(1 + random() % 255);  // no zero byte
    ExpectReadsBack(message, {static_cast<int>(random() % 41), static_cast<int>(random() % 4),
                              static_cast<int>(random() % 9)});
  }
}

}  // namespace
