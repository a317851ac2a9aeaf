// Encoding lists of segments: bit counts and version choice at capacity
// boundaries, plans that travel with their message, symbols of mixed
// segments read back by a real decoder, and why an encoding fails.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "data_encoding.h"
#include "measure_symbol.h"
#include "qr_decoder.h"
#include "symbol_engine.h"
#include "version_tables.h"

namespace {

using qr::DataSegment;
using qr::EciSegment;
using qr::EncodeResult;
using qr::Segment;

std::string PatternOf(const qr::SymbolEngine &engine) {
  std::string pattern;
  for (int y = 0; y < engine.side(); ++y)
    for (int x = 0; x < engine.side(); ++x) pattern += engine.Dark(x, y) ? '1' : '0';
  return pattern;
}

qr::SymbolSettings Settings(int level, int version = 0) {
  qr::SymbolSettings settings;
  settings.level = level;
  settings.requestedVersion = version;
  return settings;
}

TEST(SymbolSegments, VersionChoiceAddsUpTheSegmentsAtCapacityBoundaries) {
  // Version 1-L holds 152 bits. ECI 26 (4 + 8) and 16 bytes (4 + 8 + 128)
  // fill it exactly; one byte more needs version 2. A two-byte designator
  // (4 + 16) takes one byte's room.
  struct Case {
    std::vector<Segment> segments;
    int level;
    int64_t bits;
    int version;
  };
  const Case cases[] = {
      {{EciSegment(26), DataSegment(qr::kByte, 0, 16)}, 0, 152, 1},
      {{EciSegment(26), DataSegment(qr::kByte, 0, 17)}, 0, 160, 2},
      {{EciSegment(899), DataSegment(qr::kByte, 0, 15)}, 0, 152, 1},
      {{EciSegment(16384), DataSegment(qr::kByte, 0, 14)}, 0, 152, 1},
      {{EciSegment(16384), DataSegment(qr::kByte, 0, 15)}, 0, 160, 2},
      // 1-H holds 72 bits: 3 digits (4 + 10 + 10), 2 letters (4 + 9 + 11),
      // 1 byte (4 + 8 + 8).
      {{DataSegment(qr::kNumeric, 0, 3), DataSegment(qr::kAlphanumeric, 3, 2),
        DataSegment(qr::kByte, 5, 1)},
       3,
       68,
       1},
      {{DataSegment(qr::kNumeric, 0, 3), DataSegment(qr::kAlphanumeric, 3, 2),
        DataSegment(qr::kByte, 5, 2)},
       3,
       76,
       2},
      // The count fields widen from version 10: 2,953 bytes at 40-L with the
      // 16-bit count, as one segment or split in two (20 bits more).
      {{DataSegment(qr::kByte, 0, 2953)}, 0, 4 + 16 + 8 * 2953, 40},
      {{DataSegment(qr::kByte, 0, 2950), DataSegment(qr::kByte, 2950, 3)},
       0,
       4 + 16 + 8 * 2950 + 4 + 16 + 24,
       0},
  };
  for (const Case &c : cases) {
    const int count = static_cast<int>(c.segments.size());
    const int version = qr::ChooseVersion(c.segments.data(), count, 0, c.level);
    EXPECT_EQ(version, c.version) << c.bits;
    const int measuredAt = version == 0 ? 40 : version;
    EXPECT_EQ(qr::StreamBitCount(c.segments.data(), count, measuredAt), c.bits);
  }
}

TEST(SymbolSegments, MixedSegmentsReadBackWithTheirExactBytes) {
  const std::string utf8 = "\xE4\xBA\x8C\xE7\xBB\xB4\xE7\xA0\x81 QR";  // UTF-8 text
  const std::string mixed = "0123456789012HELLO WORLD/42\xB2\xE2\xCA\xD4 bytes";
  struct Case {
    const char *what;
    std::string message;
    std::vector<Segment> segments;
    int level;
    const char *eciMark;  // the designator as the decoder reports it, or null
  };
  const Case cases[] = {
      {"ECI 26 + byte",
       utf8,
       {EciSegment(26), DataSegment(qr::kByte, 0, utf8.size())},
       1,
       "\\000026"},
      {"numeric + alphanumeric + byte",
       mixed,
       {DataSegment(qr::kNumeric, 0, 13), DataSegment(qr::kAlphanumeric, 13, 14),
        DataSegment(qr::kByte, 27, mixed.size() - 27)},
       2,
       nullptr},
      {"ECI 3 + alphanumeric + numeric past version 9",
       std::string(300, 'Z') + std::string(400, '7'),
       {EciSegment(3), DataSegment(qr::kAlphanumeric, 0, 300), DataSegment(qr::kNumeric, 300, 400)},
       0,
       "\\000003"},
  };
  qr::SymbolEngine engine;
  for (const Case &c : cases) {
    const qr::SymbolPlan plan =
        qr::PlanSymbol(c.message.data(), c.message.size(), c.segments, Settings(c.level));
    ASSERT_EQ(plan.result, EncodeResult::kWritten) << c.what;
    ASSERT_EQ(engine.Encode(plan, c.message.data(), c.message.size()), EncodeResult::kWritten);
    EXPECT_EQ(engine.version(), plan.version);
    const qrtest::Decoded decoded = qrtest::DecodePattern(PatternOf(engine), engine.side());
    ASSERT_TRUE(decoded.ok) << c.what;
    EXPECT_EQ(decoded.bytes, c.message) << c.what;
    EXPECT_EQ(decoded.ecLevel, std::string(1, "LMQH"[c.level])) << c.what;
    if (c.eciMark) {
      EXPECT_NE(decoded.bytesEci.find(c.eciMark), std::string::npos) << c.what;
    }
  }
}

TEST(SymbolSegments, APlanTravelsWithItsMessageAndGivesTheDirectSymbol) {
  qr::SymbolEngine direct, fromPlan;
  for (const std::string &text :
       {std::string("20210706001"), std::string("short text"), std::string(500, 'q')}) {
    std::string message = text;  // short: held inside the string object
    const qr::SymbolPlan plan = qr::PlanSymbol(message.data(), message.size(), Settings(1));
    ASSERT_EQ(plan.result, EncodeResult::kWritten);
    std::vector<std::pair<std::string, qr::SymbolPlan>> queue;
    queue.emplace_back(std::move(message), plan);  // the text moves to another address
    queue.reserve(16);                             // and once more
    const auto &[moved, movedPlan] = queue.front();
    ASSERT_EQ(fromPlan.Encode(movedPlan, moved.data(), moved.size()), EncodeResult::kWritten);
    ASSERT_EQ(direct.Encode(text.data(), text.size(), Settings(1)), EncodeResult::kWritten);
    EXPECT_EQ(movedPlan.side, direct.side());
    EXPECT_EQ(qrtest::MeasureSymbol(text.data(), text.size(), Settings(1)).version, plan.version);
    EXPECT_EQ(PatternOf(fromPlan), PatternOf(direct)) << text;
  }
}

TEST(SymbolSegments, TheResultSaysWhyNothingWasBuilt) {
  qr::SymbolEngine engine;
  const std::string digits(7089, '7');
  // Exactly the largest numeric message of 40-L, and one digit more.
  EXPECT_EQ(engine.Encode(digits.data(), digits.size(), Settings(0)), EncodeResult::kWritten);
  EXPECT_EQ(engine.version(), 40);
  EXPECT_EQ(engine.Encode((digits + "7").data(), digits.size() + 1, Settings(0)),
            EncodeResult::kTooLong);
  EXPECT_EQ(engine.side(), 0);

  const std::string message = "AB12";
  const struct {
    const char *what;
    std::vector<Segment> segments;
  } invalid[] = {
      {"a letter in a numeric segment", {DataSegment(qr::kNumeric, 0, 4)}},
      {"a lower-case letter is not alphanumeric", {DataSegment(qr::kAlphanumeric, 0, 1)}},
      {"past the message's end", {DataSegment(qr::kByte, 2, 3)}},
      {"offset past the end", {DataSegment(qr::kByte, 5, 0)}},
      {"designator above 999,999", {EciSegment(1000000), DataSegment(qr::kByte, 0, 4)}},
      {"no such mode", {Segment{static_cast<qr::DataMode>(8), 0, 0, 1}}},
  };
  const std::string lower = "ab12";
  for (const auto &c : invalid) {
    const std::string &text = c.segments[0].mode == qr::kAlphanumeric ? lower : message;
    const qr::SymbolPlan plan = qr::PlanSymbol(text.data(), text.size(), c.segments, Settings(0));
    EXPECT_EQ(plan.result, EncodeResult::kInvalidSegments) << c.what;
    EXPECT_EQ(engine.Encode(plan, text.data(), text.size()), EncodeResult::kInvalidSegments);
  }

  // A valid plan given a shorter message than it was made for.
  const qr::SymbolPlan plan = qr::PlanSymbol(message.data(), message.size(),
                                             {DataSegment(qr::kAlphanumeric, 0, 4)}, Settings(0));
  ASSERT_EQ(plan.result, EncodeResult::kWritten);
  EXPECT_EQ(engine.Encode(plan, message.data(), 3), EncodeResult::kInvalidSegments);
  // A plan that does not fit keeps its reason.
  const qr::SymbolPlan tooLong = qr::PlanSymbol(
      digits.data(), digits.size(), {DataSegment(qr::kByte, 0, digits.size())}, Settings(0));
  EXPECT_EQ(tooLong.result, EncodeResult::kTooLong);
  EXPECT_EQ(tooLong.version, 0);
  EXPECT_EQ(engine.Encode(tooLong, digits.data(), digits.size()), EncodeResult::kTooLong);
}

}  // namespace
