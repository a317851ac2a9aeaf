// The window's batch over records: TAB columns, escapes, names by line,
// number or made safe, the report file of a batch with failed lines, the
// import into the input box, and the window's input while the batch runs.
#include "options_dialog_layout.h"
#include "window_fixture.h"

namespace qrapp::testing {
namespace {

class RecordsBatchTest : public WindowTest {
 protected:
  void SetUp() override {
    logic.OnCreated();
    files.folders.insert("D:\\out");
    view.Type(resources::control::kDestination, "D:\\out");
  }
  void Set(const char *key, const char *value) { settings.Write("preservation", key, value); }
  void Batch(const std::string &input) {
    view.Type(resources::control::kBatchInput, input);
    logic.OnBatchClicked();
  }
  std::string File(const std::string &name) { return "D:\\out\\" + name + ".jpg"; }
  std::string Report() { return files.files["D:\\out\\批量生成报告.csv"]; }
  // Removes the batch's files (the settings file stays).
  void ClearOutput() {
    for (auto it = files.files.begin(); it != files.files.end();)
      it = it->first.rfind("D:\\out\\", 0) == 0 ? files.files.erase(it) : std::next(it);
  }
};

TEST_F(RecordsBatchTest, TheNamesAndEscapesRowsReachTheBatch) {
  const std::string wifi = "WIFI:S:家里;T:WPA;P:a:b;;";
  struct Case {
    const char *names, *escapes;
    std::string input;
    std::vector<std::pair<std::string, std::string>> written;  // file name, message
  };
  const Case cases[] = {
      // The rows reach the shared decider (its rules: line_decider_test).
      {"safe",
       "off",
       wifi + "\r\ncon.txt\tx\r\n名:称?\ty",
       {{"WIFI_S_家里;T_WPA;P_a_b;;", qrtext::ToGbk(wifi)}, {"_con.txt", "x"}, {"名_称_", "y"}}},
      {"line", "on", "v\tA\\r\\nB\\u738B\\\\", {{"v", "A\r\nB" + qrtext::ToGbk("王") + "\\"}}},
  };
  for (const Case &c : cases) {
    Set("names", c.names);
    Set("escapes", c.escapes);
    ClearOutput();
    view.messages.clear();
    Batch(c.input);
    EXPECT_TRUE(view.messages.empty())
        << c.input << (view.messages.empty() ? "" : view.messages[0].second);
    for (const auto &[name, message] : c.written)
      EXPECT_EQ(files.files[File(name)], RecordingEngine::ImageOf(message, 200, 200))
          << c.names << " " << name;
  }
}

TEST_F(RecordsBatchTest, RecordFaultsAreReportedAndTheReportFileHoldsEveryLine) {
  Set("escapes", "on");
  Batch("ok\r\na\tb\tc\td\r\nbad\\q\r\n坏:名\r\n");
  EXPECT_TRUE(files.files.count(File("ok")));
  EXPECT_FALSE(files.files.count(File("a")));
  ASSERT_EQ(view.messages.size(), 1u);
  const std::string text = view.messages[0].second;
  EXPECT_NE(text.find("第 2 行 \"a\\x09b\\x09c\\x09d\": 列数多于名称、内容、说明三列"),
            std::string::npos)
      << text;
  EXPECT_NE(text.find("第 3 行 \"bad\\\\q\": 转义序列无效"), std::string::npos) << text;
  EXPECT_NE(text.find("每一行的结果已写入报告文件：D:\\out\\批量生成报告.csv"), std::string::npos)
      << text;
  const std::string report = Report();
  EXPECT_EQ(report.substr(0, 3), "\xEF\xBB\xBF");
  EXPECT_NE(report.find("line,name,status,reason\r\n1,ok.jpg,written,\r\n2,,failed,"),
            std::string::npos)
      << report;
  EXPECT_NE(report.find("\r\n4,坏:名.jpg,failed,"), std::string::npos) << report;
}

TEST_F(RecordsBatchTest, ThirtyFailedLinesWriteAllThirtyRowsAndABatchWithoutFailuresNone) {
  std::string input;
  for (int i = 1; i <= 30; ++i) input += "bad:" + std::to_string(i) + "\r\n";
  Batch(input);
  const std::string report = Report();
  size_t rows = 0;
  for (size_t at = report.find(",failed,"); at != std::string::npos;
       at = report.find(",failed,", at + 1))
    ++rows;
  EXPECT_EQ(rows, 30u);
  EXPECT_NE(report.find("\r\n30,bad:30.jpg,failed,"), std::string::npos);

  ClearOutput();
  Batch("good");
  EXPECT_FALSE(files.files.count("D:\\out\\批量生成报告.csv"));
}

TEST_F(RecordsBatchTest, ClicksWhileTheBatchRunsAreIgnoredAndAClosedWindowStopsIt) {
  std::string input;
  for (int i = 1; i <= 5; ++i) input += std::to_string(i) + "\r\n";
  view.Type(resources::control::kBatchInput, input);
  int clicks = 0;
  view.onPendingInput = [&] {
    ++clicks;
    view.Click(resources::control::kRunBatch);
    view.Click(resources::control::kOptions);
    view.Click(resources::control::kImport);
  };
  logic.OnBatchClicked();
  EXPECT_EQ(clicks, 4);  // every line is shown; input is handled between lines only
  EXPECT_EQ(view.optionsDialogs, 0);
  EXPECT_EQ(view.importDialogs, 0);
  EXPECT_EQ(LogOf(resources::control::kWrittenCount),
            (std::vector<std::string>{"1", "2", "3", "4", "5"}));
  EXPECT_FALSE(logic.BatchRunning());

  // The window closes during the third line: the batch ends there, quietly.
  view.log.clear();
  view.Type(resources::control::kBatchInput, "a:\r\nb:\r\nc:\r\nd:\r\ne:");
  view.onPendingInput = [&] {
    view.closing = LogOf(resources::control::kWrittenCount).size() == 3;
  };
  logic.OnBatchClicked();
  EXPECT_EQ(LogOf(resources::control::kPercent).back(), "60%");
  EXPECT_TRUE(view.messages.empty());
  EXPECT_FALSE(files.files.count("D:\\out\\批量生成报告.csv"));
}

TEST_F(RecordsBatchTest, ImportFillsTheInputBoxAndTurnsEscapesOnWhenNeeded) {
  files.files["D:\\lists\\名片.csv"] =
      "\xEF\xBB\xBF姓名,名片\r\n王,\"BEGIN:VCARD\r\nEND:VCARD\"\r\n李,plain\r\n";
  Set("import-header", "yes");
  view.importPath = "D:\\lists\\名片.csv";
  view.Click(resources::control::kImport);
  EXPECT_EQ(view.Text(resources::control::kBatchInput),
            "王\tBEGIN:VCARD\\nEND:VCARD\r\n李\tplain\r\n");
  EXPECT_EQ(view.Text(resources::control::kLineCount), "2");
  EXPECT_EQ(settings.Read("preservation", "escapes"), "on");
  ASSERT_EQ(view.messages.size(), 1u);
  EXPECT_NE(view.messages[0].second.find("已导入 2 行"), std::string::npos);

  // The batch then writes the vCard with its line break.
  view.messages.clear();
  logic.OnBatchClicked();
  EXPECT_EQ(files.files[File("王")], RecordingEngine::ImageOf("BEGIN:VCARD\nEND:VCARD", 200, 200));
  EXPECT_TRUE(view.messages.empty());

  // A file that cannot be read says so and leaves the box.
  logic.ImportFile("D:\\lists\\missing.txt");
  EXPECT_EQ(view.Text(resources::control::kBatchInput),
            "王\tBEGIN:VCARD\\nEND:VCARD\r\n李\tplain\r\n");
  EXPECT_NE(view.messages.back().second.find("无法读取文件：D:\\lists\\missing.txt"),
            std::string::npos);
}

}  // namespace
}  // namespace qrapp::testing
