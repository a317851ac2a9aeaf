// The line decider both programs share, at its unit: what each line
// becomes (its name, content bytes and cleaned caption) or which fault
// refuses it, in the order the checks run.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "line_decider.h"

namespace batch {
namespace {

struct Expected {
  std::string line;
  LineFault fault;
  std::string name;     // the decision's name ("" when it had none)
  std::string caption;  // for a written line
};

void ExpectDecisions(const BatchSettings &settings, const std::vector<Expected> &lines) {
  LineDecider decider(settings, "out", '/', static_cast<long long>(lines.size()));
  int number = 0;
  for (const Expected &e : lines) {
    SCOPED_TRACE(e.line);
    const LineDecision decision = decider.Decide(RecordOfLine(++number, e.line));
    EXPECT_EQ(static_cast<int>(decision.failure ? decision.failure->fault : LineFault::kNone),
              static_cast<int>(e.fault));
    EXPECT_EQ(decision.name, e.name);
    if (!decision.failure) {
      EXPECT_EQ(decision.job.caption, e.caption);
    }
  }
}

TEST(LineDecider, ImagesNamedCaptionedAndRefusedInOrder) {
  BatchSettings settings;
  settings.format = qrimage::ImageFormat::kPng;
  settings.escapes = true;
  settings.caption = CaptionSource::kContent;
  settings.names = FileNames::kNumber;
  ExpectDecisions(settings,
                  {
                      // The caption is cleaned once: an escaped line break shows as a space.
                      {"a\tBEGIN\\nEND", LineFault::kNone, "01.png", "BEGIN END"},
                      {"b\tx\ty\tz", LineFault::kExtraColumns, "", ""},
                      {"c\tbad \\q", LineFault::kBadEscape, "", ""},
                      // Named (by number) before the length check refuses it.
                      {"d\t" + std::string(3000, '7') + std::string(400, 'x'), LineFault::kTooLong,
                       "04.png", ""},
                      {"e\t" + std::string(300, 'e'), LineFault::kTooLarge, "05.png", ""},
                      {"f", LineFault::kNone, "06.png", "f"},
                      {"g", LineFault::kNone, "07.png", "g"},
                      {"h", LineFault::kNone, "08.png", "h"},
                      {"i", LineFault::kNone, "09.png", "i"},
                      {"j", LineFault::kNone, "10.png", "j"},
                  });

  settings = BatchSettings();
  settings.contentEncoding = qrtext::ContentEncoding::kGbk;
  ExpectDecisions(settings, {
                                {"a\t价格", LineFault::kNone, "a.jpg", ""},
                                {"A\tother", LineFault::kNameTaken, "A.jpg", ""},
                                {"b\t\xF0\x9F\x98\x80", LineFault::kUnrepresentable, "", ""},
                            });
}

TEST(LineDecider, TheContentGoesOnEvenForALineRefusedLater) {
  // The window sends every line's message to its engine, written or not.
  BatchSettings settings;
  settings.contentEncoding = qrtext::ContentEncoding::kGbk;
  LineDecider decider(settings, "out", '/', 2);
  ASSERT_FALSE(decider.Decide(RecordOfLine(1, "a\t价")).failure);
  const LineDecision taken = decider.Decide(RecordOfLine(2, "a\t格"));
  ASSERT_TRUE(taken.failure);
  EXPECT_EQ(taken.failure->fault, LineFault::kNameTaken);
  EXPECT_EQ(taken.job.content, "\xB8\xF1");  // 格 in GBK
}

TEST(LineDecider, LabelsTakeTheNameAsCaptionAndNeedNoFileName) {
  BatchSettings settings;
  settings.format = qrimage::ImageFormat::kPdf;
  ExpectDecisions(settings, {
                                {"https://example.com/p?id=7\tx", LineFault::kNone,
                                 "https://example.com/p?id=7", "https://example.com/p?id=7"},
                                {"same\tx", LineFault::kNone, "same", "same"},
                                {"same\ty", LineFault::kNone, "same", "same"},
                                {"big\t" + std::string(3000, '7') + std::string(400, 'x'),
                                 LineFault::kTooLong, "big", ""},
                            });
}

}  // namespace
}  // namespace batch
