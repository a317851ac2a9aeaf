// "生成" and "保存".
#include "window_fixture.h"

namespace qrapp::testing {
namespace {

class SingleImageTest : public WindowTest {
 protected:
  void SetUp() override { logic.OnCreated(); }
  const std::string preview = "D:\\tools\\a.jpg";
};

TEST_F(SingleImageTest, EmptyTextIsReplacedByTheWarningAndEncoded) {
  view.Type(resources::control::kSingleSide, "250");
  view.Type(resources::control::kBatchWidth, "300");
  const size_t before = engine.calls.size();
  logic.OnGenerateClicked();

  const std::string warning = G("未检测到你输入了内容");
  EXPECT_EQ(view.texts[resources::control::kSingleText], warning);
  EXPECT_EQ(CallsSince(before),
            (std::vector<std::string>{
                "QRSetMessage(" + qrtext::ToGbk(warning) + ")", "QRSetBackColor(255,255,255)",
                "QRSetBarColor(0,0,0)", "QRConfigure(0,0,5)", "QRAppearance(0.2,1,0)",
                "QRSetSize(250,250)", "QRGetActualSize", "QRSaveAsBMP(" + preview + ")"}));
  EXPECT_EQ(files.files[preview], RecordingEngine::ImageOf(qrtext::ToGbk(warning), 250, 250));
  EXPECT_TRUE(files.hidden.count(preview));
  EXPECT_EQ(view.pictures[resources::control::kPreview], files.files[preview]);
  EXPECT_TRUE(view.messages.empty());
}

TEST_F(SingleImageTest, UnencodableTextClearsThePreview) {
  view.Type(resources::control::kSingleText, "ok");
  logic.OnGenerateClicked();
  view.Type(resources::control::kSingleText, std::string(3000, 'z'));
  logic.OnGenerateClicked();
  EXPECT_FALSE(files.files.count(preview));
  EXPECT_EQ(view.pictures[resources::control::kPreview], "");
}

TEST_F(SingleImageTest, ASymbolLargerThanTheImageWritesNothingAndSaysWhy) {
  view.Type(resources::control::kSingleText, "ok");
  logic.OnGenerateClicked();
  const std::string earlier = files.files[preview];
  ASSERT_NE(view.pictures[resources::control::kPreview], "");

  // 40 bytes need version 3 at level L: 29 modules of 8 pixels.
  view.Type(resources::control::kSingleText, std::string(40, 'u'));
  const size_t before = engine.calls.size();
  logic.OnGenerateClicked();
  const std::vector<std::string> calls = CallsSince(before);
  EXPECT_EQ(calls.back(), "QRGetActualSize");
  EXPECT_EQ(files.files[preview], earlier);
  EXPECT_EQ(view.pictures[resources::control::kPreview], "");
  ASSERT_EQ(view.messages.size(), 1u);
  EXPECT_EQ(std::string(view.messages[0].second), "二维码需要 232×232 像素，大于图像 200×200");
}

TEST_F(SingleImageTest, ASymbolExactlyAsLargeAsTheImageIsWritten) {
  view.Type(resources::control::kSingleText, "ok");  // version 1: 21 modules, 168 pixels
  view.Type(resources::control::kSingleSide, "168");
  logic.OnGenerateClicked();
  EXPECT_EQ(files.files[preview], RecordingEngine::ImageOf("ok", 168, 168));
  EXPECT_TRUE(view.messages.empty());

  view.Type(resources::control::kSingleSide, "167");
  logic.OnGenerateClicked();
  ASSERT_EQ(view.messages.size(), 1u);
  EXPECT_EQ(std::string(view.messages[0].second), "二维码需要 168×168 像素，大于图像 167×167");
}

TEST_F(SingleImageTest, SaveWithoutAPreviewWritesNothingAndSaysSo) {
  const size_t before = engine.calls.size();
  view.savePath = "D:\\saved.jpg";
  logic.OnSaveClicked();
  EXPECT_EQ(CallsSince(before), std::vector<std::string>{"QRSaveAsBMP(D:\\tools\\a.bmp)"});
  EXPECT_EQ(view.saveDialogs, 0);
  EXPECT_FALSE(files.files.count("D:\\saved.jpg"));
  ASSERT_EQ(view.messages.size(), 1u);
  EXPECT_NE(std::string(view.messages[0].second).find("还没有可保存的图像"), std::string::npos);
}

TEST_F(SingleImageTest, SaveCopiesThePreviewBytes) {
  view.Type(resources::control::kSingleText, G("你好"));
  logic.OnGenerateClicked();
  view.savePath = "D:\\saved.png";
  logic.OnSaveClicked();
  EXPECT_EQ(files.files["D:\\saved.png"], files.files[preview]);
  EXPECT_EQ(view.saveDialogs, 1);
}

TEST_F(SingleImageTest, SaveAfterABatchSavesTheLastBatchImage) {
  files.folders.insert("D:\\out");
  view.Type(resources::control::kSingleText, "single");
  logic.OnGenerateClicked();
  view.Type(resources::control::kDestination, "D:\\out");
  logic.OnBatchClicked();
  view.savePath = "D:\\saved.jpg";
  logic.OnSaveClicked();
  EXPECT_EQ(files.files["D:\\saved.jpg"], RecordingEngine::ImageOf("20210706002", 200, 200));
}

TEST_F(SingleImageTest, CancelledSaveWritesOnlyTheSideFile) {
  logic.OnGenerateClicked();
  view.saveConfirmed = false;
  const size_t filesBefore = files.files.size();
  logic.OnSaveClicked();
  EXPECT_EQ(files.files.size(), filesBefore + 1);
  EXPECT_TRUE(files.files.count("D:\\tools\\a.bmp"));
  EXPECT_TRUE(view.messages.empty());
}

TEST_F(SingleImageTest, FailedSaveIsReported) {
  logic.OnGenerateClicked();
  view.savePath = "Z:\\nowhere\\x.jpg";
  logic.OnSaveClicked();
  ASSERT_EQ(view.messages.size(), 1u);
  EXPECT_NE(view.messages[0].second.find("Z:\\nowhere\\x.jpg"), std::string::npos);
}

}  // namespace
}  // namespace qrapp::testing
