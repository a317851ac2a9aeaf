// The options dialog's settings and the content encoding they choose, as
// the batch and 生成 apply them.
#include "options_dialog_layout.h"
#include "window_fixture.h"

namespace qrapp::testing {
namespace {

class ContentOptionsTest : public WindowTest {
 protected:
  void SetUp() override {
    logic.OnCreated();
    files.folders.insert("D:\\out");
    view.Type(resources::control::kDestination, "D:\\out");
  }
  void Choose(int encoding) {
    view.optionsChosen = {encoding};
    view.Click(resources::control::kOptions);
  }
  void Batch(const std::string &input) {
    view.Type(resources::control::kBatchInput, input);
    logic.OnBatchClicked();
  }
  std::string SettingsFile() { return files.files["C:\\brelvanto\\Set.ini"]; }
};

constexpr int kGbk = 0, kUtf8 = 1, kUtf8NoEci = 2, kGbkEci = 3;

TEST_F(ContentOptionsTest, TheDialogOpensWithTheStoredChoicesAndKeepsTheNewOnes) {
  view.optionsConfirmed = false;
  view.Click(resources::control::kOptions);
  EXPECT_EQ(view.optionsShown.at(resources::kContentEncodingRow), kGbk);  // the default

  view.optionsConfirmed = true;
  Choose(kUtf8);
  EXPECT_NE(SettingsFile().find("[preservation]\r\nroute=D:\\out\r\nencoding=utf-8\r\n"),
            std::string::npos)
      << SettingsFile();
  // A new start reads them back; a cancelled dialog changes nothing.
  view.optionsConfirmed = false;
  view.Click(resources::control::kOptions);
  EXPECT_EQ(view.optionsShown.at(resources::kContentEncodingRow), kUtf8);
  EXPECT_EQ(settings.Read("preservation", "encoding"), "utf-8");

  // A value no row knows reads as the default.
  settings.Write("preservation", "encoding", "ebcdic");
  view.Click(resources::control::kOptions);
  EXPECT_EQ(view.optionsShown.at(resources::kContentEncodingRow), kGbk);
}

TEST_F(ContentOptionsTest, EachEncodingSendsItsBytesAndDesignator) {
  struct Case {
    int choice;
    std::string message;  // what the engine's exports get, or the in-process drawing
    bool throughExports;
  };
  const std::string line = "价格 100€";
  const Case cases[] = {
      {kGbk, "\xBC\xDB\xB8\xF1 100\x80", true},
      {kUtf8, "ECI26:" + line, false},
      {kUtf8NoEci, line, true},
      {kGbkEci, "ECI29:\xBC\xDB\xB8\xF1 100\x80", false},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.choice);
    Choose(c.choice);
    files.files.erase("D:\\out\\" + line + ".jpg");
    symbols.drawn.clear();
    const size_t before = engine.calls.size();
    Batch(line + "\r\nplain");
    const std::string file = files.files["D:\\out\\" + line + ".jpg"];
    EXPECT_EQ(file, RecordingEngine::ImageOf(c.message, 200, 200));
    const std::vector<std::string> calls = CallsSince(before);
    const bool saved = std::find(calls.begin(), calls.end(),
                                 "QRSaveAsBMP(D:\\out\\" + line + ".jpg)") != calls.end();
    EXPECT_EQ(saved, c.throughExports);
    // Pure ASCII needs no designator: the exports write it.
    EXPECT_EQ(files.files["D:\\out\\plain.jpg"], RecordingEngine::ImageOf("plain", 200, 200));
    EXPECT_EQ(LogOf(resources::control::kWrittenCount).back(), "2");
    EXPECT_TRUE(view.messages.empty());
  }
}

TEST_F(ContentOptionsTest, ALineGbkCannotExpressIsReportedAndNotCounted) {
  Batch("한국어 상품\r\n表情😀\r\n苹果");
  EXPECT_EQ(files.files.count("D:\\out\\한국어 상품.jpg"), 0u);
  EXPECT_EQ(files.files.count("D:\\out\\表情😀.jpg"), 0u);
  EXPECT_EQ(files.files["D:\\out\\苹果.jpg"],
            RecordingEngine::ImageOf(qrtext::ToGbk("苹果"), 200, 200));
  EXPECT_EQ(LogOf(resources::control::kWrittenCount).back(), "1");
  ASSERT_EQ(view.messages.size(), 1u);
  const std::string &text = view.messages[0].second;
  EXPECT_NE(text.find("第 1 行 \"한국어 상품\": 含有 GBK 无法表示的字符"), std::string::npos)
      << text;
  EXPECT_NE(text.find("第 2 行 \"表情😀\": 含有 GBK 无法表示的字符"), std::string::npos);
  for (const auto &file : files.files) EXPECT_EQ(file.second.find('?'), std::string::npos);

  // The same lines under UTF-8 are written.
  Choose(kUtf8);
  view.messages.clear();
  Batch("한국어 상품\r\n表情😀");
  EXPECT_EQ(files.files["D:\\out\\한국어 상품.jpg"],
            RecordingEngine::ImageOf("ECI26:한국어 상품", 200, 200));
  EXPECT_EQ(LogOf(resources::control::kWrittenCount).back(), "2");
  EXPECT_TRUE(view.messages.empty());
}

// Names are UTF-8 text: the last byte of 测 (E6 B5 8B) and the backslash
// after it are no GBK pair, so the backslash still leads into a sub-folder.
TEST_F(ContentOptionsTest, ABackslashAfterAChineseCharacterLeadsIntoItsSubFolder) {
  files.folders.insert("D:\\out\\测");
  Batch("测\\子");
  EXPECT_EQ(files.files.count("D:\\out\\测\\子.jpg"), 1u);
  EXPECT_TRUE(view.messages.empty());
}

TEST_F(ContentOptionsTest, GenerateFollowsTheEncoding) {
  view.Type(resources::control::kSingleText, "한국어");
  logic.OnGenerateClicked();
  ASSERT_EQ(view.messages.size(), 1u);
  EXPECT_EQ(view.messages[0].second, "含有 GBK 无法表示的字符");
  EXPECT_TRUE(view.pictures[resources::control::kPreview].empty());

  Choose(kUtf8);
  logic.OnGenerateClicked();
  EXPECT_EQ(files.files["D:\\tools\\a.jpg"], RecordingEngine::ImageOf("ECI26:한국어", 200, 200));
  EXPECT_EQ(view.pictures[resources::control::kPreview], files.files["D:\\tools\\a.jpg"]);
  EXPECT_TRUE(files.hidden.count("D:\\tools\\a.jpg"));
}

}  // namespace
}  // namespace qrapp::testing
