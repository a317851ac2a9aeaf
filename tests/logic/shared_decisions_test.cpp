// The window's batch and qrbatch decide a line alike: the same list through
// RunBatch (over the test stand-ins) and through the real qrbatch program
// gives every line the same decision, written or refused with the same
// fault, for image files and for label sheets.
#include <map>
#include <sstream>

#include "batch_run.h"
#include "failure_texts.h"
#include "qrbatch_runner.h"
#include "window_fixture.h"
#include "window_options.h"

namespace qrapp::testing {
namespace {

namespace fs = std::filesystem;

class QuietObserver : public BatchObserver {
 public:
  void LineFinished(int, int, int, const qrtext::EncodedContent &, bool) override {}
};

struct Line {
  std::string text;
  batch::LineFault fault;  // kNone: written
};

// The fault whose words in qrbatch's table begin `reason`.
batch::LineFault FaultOfCommandText(const std::string &reason) {
  for (const batch::FailureTexts::Row &row : batch::kCommandFailureTexts.rows) {
    const std::string text = row.text;
    const std::string fixed = text.substr(0, text.find('%'));
    if (reason.compare(0, fixed.size(), fixed) == 0) return row.fault;
  }
  return batch::LineFault::kNone;
}

// Line number -> fault of qrbatch's report file (kNone: written).
std::map<int, batch::LineFault> CommandDecisions(const std::string &report) {
  std::map<int, batch::LineFault> decisions;
  std::istringstream rows(report);
  std::string row;
  std::getline(rows, row);  // the header
  while (std::getline(rows, row)) {
    const size_t first = row.find(','), second = row.find(',', first + 1),
                 third = row.find(',', second + 1);
    std::string reason = row.substr(third + 1);
    if (!reason.empty() && reason.back() == '\r') reason.pop_back();
    if (!reason.empty() && reason.front() == '"') reason = reason.substr(1);
    const bool written = row.compare(second + 1, third - second - 1, "written") == 0;
    decisions[std::stoi(row.substr(0, first))] =
        written ? batch::LineFault::kNone : FaultOfCommandText(reason);
  }
  return decisions;
}

class SharedDecisionsTest : public WindowTest {
 protected:
  void SetUp() override { logic.OnCreated(); }

  // Line number -> fault of the window's batch with `options` (Set.ini rows).
  std::map<int, batch::LineFault> WindowDecisions(
      const std::vector<Line> &lines,
      const std::vector<std::pair<std::string, std::string>> &options) {
    for (const auto &[key, value] : options) settings.Write(kSettingsSection, key, value);
    std::vector<std::string> texts;
    for (const Line &line : lines) texts.push_back(line.text);
    batch::BatchRecipe recipe;
    BatchTarget target;
    target.folder = "D:\\out";
    files.folders.insert(target.folder);
    target.settings = BatchSettingsOf(LoadOptions(settings), recipe);
    QuietObserver observer;
    const BatchOutcome outcome = RunBatch(engine, symbols, files, recipe, texts, target, observer);
    std::map<int, batch::LineFault> decisions;
    for (size_t i = 1; i <= lines.size(); ++i)
      decisions[static_cast<int>(i)] = batch::LineFault::kNone;
    for (const batch::LineFailure &failure : outcome.report.failures)
      decisions[failure.lineNumber] = failure.fault;
    return decisions;
  }

  std::map<int, batch::LineFault> QrbatchDecisions(const std::vector<Line> &lines,
                                                   std::vector<std::string> args) {
    std::string input;
    for (const Line &line : lines) input += line.text + "\n";
    const fs::path list = folder.path() / "list.txt", report = folder.path() / "report.csv";
    qrtest::WriteWhole(list, input);
    args.insert(args.end(), {"-o", (folder.path() / "out").string(), "--report", report.string(),
                             list.string()});
    const qrtest::QrbatchRun run = qrtest::RunQrbatch(args, list, folder.path());
    EXPECT_LE(run.status, 1) << run.err;
    return CommandDecisions(qrtest::ReadWhole(report));
  }

  void ExpectSameDecisions(const std::vector<Line> &lines,
                           const std::map<int, batch::LineFault> &window,
                           const std::map<int, batch::LineFault> &command) {
    for (size_t i = 1; i <= lines.size(); ++i) {
      const int n = static_cast<int>(i);
      SCOPED_TRACE("line " + std::to_string(n) + ": " + lines[i - 1].text.substr(0, 40));
      ASSERT_EQ(window.count(n), 1u);
      ASSERT_EQ(command.count(n), 1u);
      EXPECT_EQ(static_cast<int>(window.at(n)), static_cast<int>(lines[i - 1].fault)) << "window";
      EXPECT_EQ(static_cast<int>(command.at(n)), static_cast<int>(lines[i - 1].fault)) << "qrbatch";
    }
  }

  qrtest::TempFolder folder;
};

TEST_F(SharedDecisionsTest, ImagesAndLabelsAreDecidedAlikeByBothPrograms) {
  const std::string many7 = std::string(3000, '7') + std::string(400, 'x');
  const std::vector<Line> images = {
      {"a\tHELLO", batch::LineFault::kNone},
      {"b\t" + many7, batch::LineFault::kTooLong},
      {"c\tx\ty\tz", batch::LineFault::kExtraColumns},
      {"d\tbad \\q escape", batch::LineFault::kBadEscape},
      {"a\tOTHER", batch::LineFault::kNameTaken},
      {"e\t笑\xF0\x9F\x98\x80", batch::LineFault::kUnrepresentable},
      {"f\t" + std::string(300, 'f'), batch::LineFault::kTooLarge},
      {"g\tBEGIN\\nEND", batch::LineFault::kNone},
      {"h\tx\t" + std::string(400, 'W'), batch::LineFault::kCaptionTooLong},
  };
  // The window's defaults (GBK content) with PNG files, escapes and the
  // caption column; qrbatch told the same.
  ExpectSameDecisions(
      images,
      WindowDecisions(images, {{"filetype", "png"}, {"escapes", "on"}, {"caption", "column"}}),
      QrbatchDecisions(
          images, {"--format", "png", "--encoding", "gbk", "--escapes", "--caption", "column"}));

  const std::vector<Line> labels = {
      {"P-001\thttps://shop.example.com/product?id=000001", batch::LineFault::kNone},
      {"big\t" + many7, batch::LineFault::kTooLong},
      {std::string(600, 'W') + "\tx", batch::LineFault::kCaptionTooLong},
      {"dense\t" + std::string(2000, 'a'), batch::LineFault::kCodeTooLargeForLabel},
      {"c\tx\ty\tz", batch::LineFault::kExtraColumns},
      {"SERIAL-0042", batch::LineFault::kNone},
  };
  ExpectSameDecisions(
      labels,
      WindowDecisions(labels, {{"filetype", "pdf"}, {"caption", "none"}, {"escapes", "off"}}),
      QrbatchDecisions(labels, {"--format", "pdf", "--encoding", "gbk"}));
}

}  // namespace
}  // namespace qrapp::testing
