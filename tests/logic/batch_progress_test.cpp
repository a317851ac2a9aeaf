// The batch's progress: counter, bar, per-cent and preview of the line just
// finished, shown at most about ten times a second and after the last line.
#include "window_fixture.h"

namespace qrapp::testing {
namespace {

class BatchProgressTest : public WindowTest {
 protected:
  void SetUp() override {
    logic.OnCreated();
    files.folders.insert("D:\\out");
    view.Type(resources::control::kDestination, "D:\\out");
  }
  // Runs `count` numbered lines ("1" … ), each line taking `step`, plus the
  // lines in `tail`.
  void Batch(int count, std::chrono::milliseconds step, const std::string &tail = "") {
    std::string input;
    for (int i = 1; i <= count; ++i) input += std::to_string(i) + "\r\n";
    view.Type(resources::control::kBatchInput, input + tail);
    clock.step = step;
    view.repaints = view.pictureSets = 0;
    view.log.clear();
    symbols.drawn.clear();
    logic.OnBatchClicked();
  }
  std::string File(const std::string &name) { return "D:\\out\\" + name + ".jpg"; }
};

TEST_F(BatchProgressTest, RepaintsFollowTheClockNotTheLines) {
  struct Case {
    int lines;
    int stepMs;
    int repaints;
  };
  // A reading of the clock per line: 50 lines of 25 ms are 1.25 s, shown
  // every fourth line and after the last; no time passing shows the last
  // line alone; lines slower than the pace show each.
  for (const Case c : {Case{50, 25, 13}, Case{300, 0, 1}, Case{5, 200, 5}}) {
    Batch(c.lines, std::chrono::milliseconds(c.stepMs));
    SCOPED_TRACE(std::to_string(c.lines) + " lines of " + std::to_string(c.stepMs) + " ms");
    EXPECT_EQ(view.repaints, c.repaints);
    EXPECT_EQ(view.pictureSets, c.repaints);
    EXPECT_EQ(static_cast<int>(symbols.drawn.size()), c.repaints);
    EXPECT_EQ(symbols.drawn.back(), std::to_string(c.lines));
    EXPECT_EQ(view.pictures[resources::control::kPreview],
              files.files[File(std::to_string(c.lines))]);
    // Each showing sets counter, bar and per-cent once, the last ones full.
    EXPECT_EQ(LogOf(resources::control::kWrittenCount).size(), static_cast<size_t>(c.repaints));
    EXPECT_EQ(LogOf(resources::control::kProgressBar).size(), static_cast<size_t>(c.repaints));
    EXPECT_EQ(LogOf(resources::control::kWrittenCount).back(), std::to_string(c.lines));
    EXPECT_EQ(LogOf(resources::control::kProgressBar).back(), "200");
    EXPECT_EQ(LogOf(resources::control::kPercent).back(), "100%");
  }
}

TEST_F(BatchProgressTest, ShownLinesAreTheLinesJustFinished) {
  Batch(9, std::chrono::milliseconds(40), "CON\r\n10");  // due every third line
  EXPECT_EQ(symbols.drawn, (std::vector<std::string>{"3", "6", "9", "10"}));
  EXPECT_EQ(LogOf(resources::control::kWrittenCount),
            (std::vector<std::string>{"3", "6", "9", "10"}));
  EXPECT_EQ(LogOf(resources::control::kPercent),
            (std::vector<std::string>{"27%", "54.5%", "81.5%", "100%"}));
  EXPECT_EQ(view.pictures[resources::control::kPreview], files.files[File("10")]);
}

TEST_F(BatchProgressTest, AFailedLastLineLeavesThePreviewEmpty) {
  // Earlier lines were written and shown; the last is refused for its size.
  Batch(20, std::chrono::milliseconds(50), std::string(40, 'u'));
  EXPECT_EQ(LogOf(resources::control::kWrittenCount).back(), "20");
  EXPECT_EQ(view.pictures[resources::control::kPreview], "");
  EXPECT_EQ(symbols.drawn.back(), "20");  // the last shown while running

  // A refused name as the last line, nothing passing on the clock.
  Batch(3, std::chrono::milliseconds(0), "CON");
  EXPECT_EQ(view.pictures[resources::control::kPreview], "");
  EXPECT_TRUE(symbols.drawn.empty());
  EXPECT_EQ(view.repaints, 1);
}

}  // namespace
}  // namespace qrapp::testing
