#include "window_fixture.h"

namespace qrapp::testing {
namespace {

class BatchTest : public WindowTest {
 protected:
  void SetUp() override {
    logic.OnCreated();
    files.folders.insert("D:\\out");
    view.Type(resources::control::kDestination, "D:\\out");
  }
  void Batch(const std::string &input) {
    view.Type(resources::control::kBatchInput, input);
    logic.OnBatchClicked();
  }
  std::string File(const std::string &name) { return "D:\\out\\" + name + ".jpg"; }
};

TEST_F(BatchTest, DefaultInputWritesThreeImagesWithCountersAndBar) {
  const size_t before = engine.calls.size();
  logic.OnBatchClicked();

  // The name is the line's text; the engine gets its bytes in GBK.
  const std::string first = "测试数据";
  const std::string firstGbk = qrtext::ToGbk(first);
  EXPECT_EQ(files.files[File(first)], RecordingEngine::ImageOf(firstGbk, 200, 200));
  EXPECT_TRUE(files.files.count(File("20210706001")));
  EXPECT_TRUE(files.files.count(File("20210706002")));

  EXPECT_EQ(LogOf(resources::control::kWrittenCount), (std::vector<std::string>{"1", "2", "3"}));
  EXPECT_EQ(LogOf(resources::control::kProgressBar),
            (std::vector<std::string>{"0", "66", "133", "200"}));
  EXPECT_EQ(LogOf(resources::control::kPercent),
            (std::vector<std::string>{"33%", "66.5%", "100%"}));
  EXPECT_EQ(view.pictures[resources::control::kPreview], files.files[File("20210706002")]);
  EXPECT_EQ(view.repaints, 3);
  EXPECT_TRUE(view.messages.empty());

  // The recipe goes with the first line; later lines send their message and
  // the file. No line is measured through the engine.
  EXPECT_EQ(CallsSince(before),
            (std::vector<std::string>{
                "QRSetMessage(" + firstGbk + ")", "QRSetBackColor(255,255,255)",
                "QRSetBarColor(0,0,0)", "QRConfigure(0,0,5)", "QRAppearance(0.2,1,0)",
                "QRSetSize(200,200)", "QRSaveAsBMP(" + File(first) + ")",
                "QRSetMessage(20210706001)", "QRSaveAsBMP(" + File("20210706001") + ")",
                "QRSetMessage(20210706002)", "QRSaveAsBMP(" + File("20210706002") + ")"}));
}

TEST_F(BatchTest, SevenLinesBarAndPercent) {
  Batch("1\r\n2\r\n3\r\n4\r\n5\r\n6\r\n7");
  EXPECT_EQ(LogOf(resources::control::kProgressBar),
            (std::vector<std::string>{"0", "28", "57", "85", "114", "142", "171", "200"}));
  EXPECT_EQ(LogOf(resources::control::kPercent),
            (std::vector<std::string>{"14%", "28.5%", "42.5%", "57%", "71%", "85.5%", "100%"}));
}

TEST_F(BatchTest, EmptyLineWritesTheExtensionOnlyFile) {
  Batch("a\r\n\r\nb");
  EXPECT_TRUE(files.files.count(File("a")));
  EXPECT_TRUE(files.files.count(File("")));
  EXPECT_TRUE(files.files.count(File("b")));
  EXPECT_EQ(LogOf(resources::control::kPercent),
            (std::vector<std::string>{"33%", "66.5%", "100%"}));
}

TEST_F(BatchTest, EmptyInputDoesNothingAtAll) {
  const size_t before = engine.calls.size(), logged = view.log.size();
  Batch("");
  EXPECT_EQ(engine.calls.size(), before);
  EXPECT_EQ(view.log.size(), logged + 2);  // the typing and its recount only
  EXPECT_TRUE(view.messages.empty());
}

TEST_F(BatchTest, EmptyFolderAsksForALocationAndWritesNothing) {
  view.Type(resources::control::kDestination, "");
  const size_t before = engine.calls.size(), filesBefore = files.files.size();
  logic.OnBatchClicked();
  EXPECT_EQ(engine.calls.size(), before);
  EXPECT_EQ(files.files.size(), filesBefore);
  ASSERT_EQ(view.messages.size(), 1u);
  EXPECT_NE(std::string(view.messages[0].second).find("保存位置"), std::string::npos);
}

TEST_F(BatchTest, SettingsAreReadFromTheControlsOncePerBatch) {
  view.Select(resources::control::kVersionList, 7);
  view.Select(resources::control::kLevelList, 3);
  view.Type(resources::control::kBatchWidth, G("３００"));
  view.Type(resources::control::kBatchHeight, "100");
  const size_t before = engine.calls.size();
  Batch("x\r\ny");
  const std::vector<std::string> calls = CallsSince(before);
  EXPECT_EQ(calls[3], "QRConfigure(7,3,5)");
  EXPECT_EQ(calls[5], "QRSetSize(300,100)");
  // Version 7 is 360 pixels wide: both lines are refused, the second
  // after sending only its message.
  EXPECT_EQ(std::vector<std::string>(calls.begin() + 6, calls.end()),
            std::vector<std::string>{"QRSetMessage(y)"});
}

TEST_F(BatchTest, FailedLinesAreSkippedCountedAndReportedOnce) {
  files.folders.insert("D:\\out\\sub");
  const std::string tooLong(3000, 'x');
  Batch("ok\r\n..\\escape\r\nCON\r\na:b\r\n" + tooLong + "\r\nmissing\\y\r\nsub\\y\r\nC:\\abs");

  EXPECT_TRUE(files.files.count(File("ok")));
  EXPECT_TRUE(files.files.count(File("sub\\y")));
  EXPECT_FALSE(files.files.count("D:\\escape.jpg"));
  // Set.ini, the engine, ok, sub\y and the report of the failed lines.
  EXPECT_EQ(files.files.size(), 5u);
  EXPECT_TRUE(files.files.count("D:\\out\\批量生成报告.csv"));

  EXPECT_EQ(LogOf(resources::control::kWrittenCount),
            (std::vector<std::string>{"1", "1", "1", "1", "1", "1", "2", "2"}));
  EXPECT_EQ(LogOf(resources::control::kProgressBar).back(), "200");
  EXPECT_EQ(LogOf(resources::control::kPercent).back(), "100%");
  // A refused name is never read back; the preview is cleared.
  EXPECT_EQ(view.pictures[resources::control::kPreview], "");

  ASSERT_EQ(view.messages.size(), 1u);
  const std::string text = std::string(view.messages[0].second);
  EXPECT_NE(text.find("共 6 行"), std::string::npos) << text;
  EXPECT_NE(text.find("第 2 行 \"..\\\\escape\": 文件名会把文件写到保存位置之外"),
            std::string::npos);
  EXPECT_NE(text.find("第 3 行 \"CON\": 不是有效的文件名"), std::string::npos);
  EXPECT_NE(text.find("第 4 行 \"a:b\": 不是有效的文件名"), std::string::npos);
  EXPECT_NE(text.find("第 5 行 \"" + tooLong.substr(0, 78) + "…\": 内容过长"), std::string::npos);
  EXPECT_NE(text.find("第 6 行 \"missing\\\\y\": 文件无法写入：The system cannot find the path"),
            std::string::npos);
  EXPECT_NE(text.find("第 8 行 \"C:\\\\abs\": 不是有效的文件名"), std::string::npos);
  EXPECT_EQ(text.find("第 7 行"), std::string::npos);
  EXPECT_EQ(text.find("第 1 行"), std::string::npos);
}

TEST_F(BatchTest, AMissingDestinationIsCreatedWholeBeforeTheBatch) {
  view.Type(resources::control::kDestination, "D:\\新建\\二级");
  Batch("1\r\n2");
  EXPECT_TRUE(files.IsDirectory("D:\\新建"));
  EXPECT_TRUE(files.files.count("D:\\新建\\二级\\1.jpg"));
  EXPECT_TRUE(files.files.count("D:\\新建\\二级\\2.jpg"));
  EXPECT_EQ(LogOf(resources::control::kWrittenCount).back(), "2");
  EXPECT_TRUE(view.messages.empty());
  EXPECT_EQ(files.swept, std::vector<std::string>{"D:\\新建\\二级"});
}

TEST_F(BatchTest, ThirtyFailedLinesListTheFirstTwentyAndCountTheRest) {
  std::string input;
  for (int i = 1; i <= 30; ++i) input += "bad:" + std::to_string(i) + "\r\n";
  Batch(input);
  EXPECT_EQ(LogOf(resources::control::kWrittenCount).back(), "0");
  ASSERT_EQ(view.messages.size(), 1u);
  const std::string text = view.messages[0].second;
  EXPECT_NE(text.find("共 30 行"), std::string::npos);
  EXPECT_NE(text.find("第 20 行 \"bad:20\""), std::string::npos);
  EXPECT_EQ(text.find("第 21 行"), std::string::npos);
  EXPECT_NE(text.find("\r\n…及其他 10 行"), std::string::npos);
  size_t listed = 0;
  for (size_t at = text.find("\r\n第 "); at != std::string::npos; at = text.find("\r\n第 ", at + 1))
    ++listed;
  EXPECT_EQ(listed, 20u);
}

TEST_F(BatchTest, SecondRunOverwritesAndCountersRestart) {
  logic.OnBatchClicked();
  files.files[File("20210706001")] = "stale";
  view.log.clear();
  logic.OnBatchClicked();
  EXPECT_EQ(files.files[File("20210706001")], RecordingEngine::ImageOf("20210706001", 200, 200));
  EXPECT_EQ(LogOf(resources::control::kWrittenCount), (std::vector<std::string>{"1", "2", "3"}));
}

TEST_F(BatchTest, EqualLinesWriteTheSameFileAndBothCount) {
  Batch("same\r\nsame");
  EXPECT_EQ(LogOf(resources::control::kWrittenCount).back(), "2");
  EXPECT_TRUE(files.files.count(File("same")));
}

TEST_F(BatchTest, ATabSeparatesTheFileNameFromTheContent) {
  const std::string name = G("产品一");
  const std::string url = "https://example.com/p?id=42";
  const size_t before = engine.calls.size();
  Batch(name + "\t" + url + "\r\nplain\r\n\tempty name");
  EXPECT_EQ(files.files[File(name)], RecordingEngine::ImageOf(url, 200, 200));
  EXPECT_EQ(files.files[File("plain")], RecordingEngine::ImageOf("plain", 200, 200));
  EXPECT_EQ(files.files[File("")], RecordingEngine::ImageOf("empty name", 200, 200));
  EXPECT_EQ(CallsSince(before)[0], "QRSetMessage(" + url + ")");
  EXPECT_EQ(LogOf(resources::control::kWrittenCount).back(), "3");
  EXPECT_TRUE(view.messages.empty());
}

TEST_F(BatchTest, ASymbolLargerThanTheImageWritesNothingAndCountsAsFailed) {
  const std::string forty(40, 'u');  // version 3 at level L: 232 pixels
  files.files[File(forty)] = "from before";
  const size_t before = engine.calls.size();
  Batch("ok\r\n" + forty + "\r\n" + std::string(25, 'v') + "\t" + forty);

  EXPECT_EQ(files.files[File(forty)], "from before");
  EXPECT_FALSE(files.files.count(File(std::string(25, 'v'))));
  EXPECT_EQ(LogOf(resources::control::kWrittenCount), (std::vector<std::string>{"1", "1", "1"}));
  EXPECT_EQ(view.pictures[resources::control::kPreview], "");  // never the file from before
  for (const std::string &call : CallsSince(before)) {
    EXPECT_EQ(call.find("QRSaveAsBMP(" + File(forty)), std::string::npos);
  }
  ASSERT_EQ(view.messages.size(), 1u);
  const std::string text = std::string(view.messages[0].second);
  EXPECT_NE(text.find("共 2 行"), std::string::npos) << text;
  EXPECT_NE(text.find("第 2 行 \"" + forty + "\": 二维码需要 232×232 像素，大于图像 200×200"),
            std::string::npos)
      << text;
  EXPECT_NE(text.find("第 3 行 \"" + std::string(25, 'v') + "\\x09" + forty +
                      "\": 二维码需要 232×232 像素"),
            std::string::npos)
      << text;
}

TEST_F(BatchTest, TheFitIsDecidedAtTheImagesEdges) {
  view.Select(resources::control::kLevelList, 3);  // "ok" at H is still version 1: 168 pixels
  view.Type(resources::control::kBatchWidth, "168");
  Batch("ok");
  EXPECT_TRUE(files.files.count(File("ok")));

  view.Type(resources::control::kBatchWidth, "300");
  view.Type(resources::control::kBatchHeight, "167");
  Batch("ok2");
  EXPECT_FALSE(files.files.count(File("ok2")));
  ASSERT_EQ(view.messages.size(), 1u);
  EXPECT_NE(std::string(view.messages[0].second).find("二维码需要 168×168 像素，大于图像 300×167"),
            std::string::npos);

  // Empty size boxes leave the engine's 500 x 300.
  view.Type(resources::control::kBatchWidth, "");
  view.Type(resources::control::kBatchHeight, "");
  Batch(std::string(40, 'w'));
  EXPECT_TRUE(files.files.count(File(std::string(40, 'w'))));
}

TEST_F(BatchTest, ANameUsedByAnEarlierLineWithOtherContentIsRefused) {
  Batch("a\tone\r\nA\ttwo\r\na\tone\r\nb\r\nB\r\nb");
  EXPECT_EQ(files.files[File("a")], RecordingEngine::ImageOf("one", 200, 200));
  EXPECT_EQ(files.files[File("b")], RecordingEngine::ImageOf("b", 200, 200));
  EXPECT_FALSE(files.files.count(File("A")));
  EXPECT_FALSE(files.files.count(File("B")));
  EXPECT_EQ(LogOf(resources::control::kWrittenCount),
            (std::vector<std::string>{"1", "1", "2", "3", "3", "4"}));
  ASSERT_EQ(view.messages.size(), 1u);
  const std::string text = std::string(view.messages[0].second);
  EXPECT_NE(text.find("共 2 行"), std::string::npos) << text;
  EXPECT_NE(text.find("第 2 行 \"A\\x09two\": 文件名已被第 1 行使用"), std::string::npos) << text;
  EXPECT_NE(text.find("第 5 行 \"B\": 文件名已被第 4 行使用"), std::string::npos) << text;
}

TEST_F(BatchTest, RefusedLinesDoNotHoldTheirNames) {
  // Line 1 is too large and claims nothing, so line 2 may use the name.
  Batch("x\t" + std::string(40, 'u') + "\r\nx\tsmall");
  EXPECT_EQ(files.files[File("x")], RecordingEngine::ImageOf("small", 200, 200));
}

TEST_F(BatchTest, TheReportShowsEveryLineShortAndHarmless) {
  std::string input;
  for (int i = 0; i < 10; ++i)
    input += "*" + std::string(2999, static_cast<char>('a' + i)) + "\r\n";
  Batch("\x1B]2;owned\x07\x1B[2J*\r\n" + input);
  ASSERT_EQ(view.messages.size(), 1u);
  const std::string &box = view.messages[0].second;
  EXPECT_EQ(box.find('\x1B'), std::string::npos);
  const std::string &text = box;
  EXPECT_NE(text.find("\"\\x1B]2;owned\\x07\\x1B[2J*\": 不是有效的文件名"), std::string::npos);
  EXPECT_NE(text.find("\"*" + std::string(77, 'a') + "…\""), std::string::npos) << text;
  EXPECT_LT(box.size(), 11u * 140u);
}

}  // namespace
}  // namespace qrapp::testing
