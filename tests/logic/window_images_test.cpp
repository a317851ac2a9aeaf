// The window's batch with the image options (file type, module size, quiet
// zone, caption, verification) chosen in Set.ini: every file is drawn in
// process by the shared writers and read back here with zxing-cpp.
#include <algorithm>
#include <filesystem>

#include "image_writer.h"
#include "options_dialog_layout.h"
#include "qrbatch_runner.h"
#include "window_fixture.h"
#include "window_options.h"

namespace qrapp::testing {
namespace {

namespace fs = std::filesystem;

const std::string kUrl = "https://shop.example.com/product?id=000001&ref=qr";

class WindowImagesTest : public WindowTest {
 protected:
  void SetUp() override {
    logic.OnCreated();
    files.folders.insert("D:\\out");
    view.Type(resources::control::kDestination, "D:\\out");
  }

  // Options as Set.ini holds them ("key=value" of the rows).
  void Set(const std::vector<std::pair<std::string, std::string>> &values) {
    for (const auto &[key, value] : values) settings.Write(kSettingsSection, key, value);
  }
  void Batch(const std::string &input) {
    view.messages.clear();
    view.Type(resources::control::kBatchInput, input);
    logic.OnBatchClicked();
  }
  // The file under D:\out, copied to disk for the readers.
  fs::path OnDisk(const std::string &name) {
    const fs::path path = folder.path() / name;
    qrtest::WriteWhole(path, files.files.at("D:\\out\\" + name));
    return path;
  }
  qrtest::Decoded Decode(const std::string &name) { return qrtest::DecodeImageFile(OnDisk(name)); }
  std::string Failures() const { return view.messages.empty() ? "" : view.messages[0].second; }

  qrtest::TempFolder folder;
};

TEST_F(WindowImagesTest, EachImageOptionWritesFilesThatReadBack) {
  struct Case {
    std::vector<std::pair<std::string, std::string>> options;
    std::string file;  // what the line "a<TAB>…" becomes
  };
  const Case cases[] = {
      {{{"filetype", "png"}}, "a.png"},
      {{{"filetype", "svg"}}, "a.svg"},
      {{{"module", "auto"}}, "a.jpg"},
      {{{"filetype", "png"}, {"quietzone", "4"}, {"module", "auto"}}, "a.png"},
      {{{"filetype", "png"}, {"caption", "name"}}, "a.png"},
      {{{"filetype", "svg"}, {"caption", "content"}}, "a.svg"},
      {{{"caption", "column"}}, "a.jpg"},
      {{{"filetype", "png"}, {"verify", "on"}}, "a.png"},
  };
  for (const Case &c : cases) {
    settings.Write(kSettingsSection, "filetype", "jpg");
    for (const char *key : {"module", "quietzone", "caption", "verify"})
      settings.Write(kSettingsSection, key, "");
    Set(c.options);
    files.files.erase("D:\\out\\" + c.file);
    const size_t calls = engine.calls.size();
    Batch("a\tHELLO 123\tP-7\r\n");
    SCOPED_TRACE(c.file);
    EXPECT_EQ(Failures(), "");
    ASSERT_EQ(files.files.count("D:\\out\\" + c.file), 1u);
    const qrtest::Decoded decoded = Decode(c.file);
    EXPECT_TRUE(decoded.ok);
    // The third column is the caption's, drawn or not: never content.
    EXPECT_EQ(decoded.bytes, "HELLO 123");
    // The DLL wrote nothing: its calls were the recipe and the message only.
    for (size_t i = calls; i < engine.calls.size(); ++i)
      EXPECT_EQ(engine.calls[i].rfind("QRSaveAsBMP", 0), std::string::npos) << engine.calls[i];
  }
}

TEST_F(WindowImagesTest, AutomaticModulesFitTheUrlAt200) {
  Batch("P000001\t" + kUrl);  // 0.2 cm modules: too large
  EXPECT_NE(Failures().find("二维码需要 232×232 像素"), std::string::npos) << Failures();
  EXPECT_EQ(files.files.count("D:\\out\\P000001.jpg"), 0u);

  Set({{"module", "auto"}, {"filetype", "png"}});
  Batch("P000001\t" + kUrl);
  EXPECT_EQ(Failures(), "");
  std::vector<uint8_t> grey;
  int width = 0, height = 0;
  ASSERT_TRUE(qrtest::ReadImageGrey(OnDisk("P000001.png"), grey, width, height));
  EXPECT_EQ(width, 200);
  EXPECT_EQ(height, 200);
  EXPECT_EQ(qrtest::DecodeGrey(grey, width, height).bytes, kUrl);  // its own margin suffices

  // A quiet zone asked at a fixed module size counts in the fit: version 1
  // with 4 modules each side at 8 px.
  Set({{"module", "0.2cm"}, {"quietzone", "4"}});
  Batch("short\tHELLO\r\n");
  EXPECT_NE(Failures().find("二维码需要 232×232 像素"), std::string::npos) << Failures();
  EXPECT_EQ(files.files.count("D:\\out\\short.png"), 0u);
}

TEST_F(WindowImagesTest, TheCaptionBandHoldsInkAndThePreviewShowsTheWrittenImage) {
  Set({{"filetype", "png"}, {"caption", "column"}, {"module", "auto"}});
  Batch("P000001\t" + kUrl + "\t资产编号 P000001\r\nP000002\t" + kUrl + "\r\n");
  EXPECT_EQ(Failures(), "");
  for (const char *name : {"P000001.png", "P000002.png"}) {
    std::vector<uint8_t> grey;
    int width = 0, height = 0;
    ASSERT_TRUE(qrtest::ReadImageGrey(OnDisk(name), grey, width, height));
    EXPECT_EQ(qrtest::DecodeUnframed(grey, width, height).bytes, kUrl);
    // The band: the bottom 15 % (30 rows of 200).
    const size_t bandStart = static_cast<size_t>(height - 30) * width;
    const long dark = std::count_if(grey.begin() + static_cast<long>(bandStart), grey.end(),
                                    [](uint8_t level) { return level < 128; });
    if (std::string(name) == "P000001.png") {
      EXPECT_GT(dark, 100) << name;
    } else {
      EXPECT_EQ(dark, 0) << name;  // no caption column: a blank band
    }
  }
  // The preview is the last image as written: the same pixels, as a bitmap.
  qrtest::WriteWhole(folder.path() / "preview.bmp", view.pictures[resources::control::kPreview]);
  std::vector<uint8_t> preview, written;
  int pw = 0, ph = 0, ww = 0, wh = 0;
  ASSERT_TRUE(qrtest::ReadImageGrey(folder.path() / "preview.bmp", preview, pw, ph));
  ASSERT_TRUE(qrtest::ReadImageGrey(OnDisk("P000002.png"), written, ww, wh));
  EXPECT_EQ(pw, ww);
  EXPECT_EQ(ph, wh);
  EXPECT_TRUE(preview == written);
}

// A damaged image refused by verification: the image writer's own test
// (tests/verify), where the damage is given to the writer.
TEST_F(WindowImagesTest, WithVerificationEachImageReadsBackBeforeItIsWritten) {
  Set({{"verify", "on"}});
  ASSERT_TRUE(OptionRowAvailable(resources::kVerifyRow));  // this build has the decoder
  Batch("ok\tfine\r\n");
  EXPECT_EQ(Failures(), "");
  EXPECT_EQ(Decode("ok.jpg").bytes, "fine");
}

TEST_F(WindowImagesTest, ACaptionTooLongForItsBandFailsItsLine) {
  Set({{"caption", "column"}});
  Batch("long\tx\t" + std::string(400, 'W') + "\r\n");
  EXPECT_NE(Failures().find("说明文字过长"), std::string::npos) << Failures();
  EXPECT_EQ(files.files.count("D:\\out\\long.jpg"), 0u);
}

TEST_F(WindowImagesTest, TheDefaultsLeaveTheBitmapToTheDll) {
  EXPECT_FALSE(WrittenInProcess(BatchSettingsOf(LoadOptions(settings), batch::BatchRecipe())));
  Batch("a\tHELLO\r\n");
  EXPECT_NE(std::find(engine.calls.begin(), engine.calls.end(), "QRSaveAsBMP(D:\\out\\a.jpg)"),
            engine.calls.end());
}

}  // namespace
}  // namespace qrapp::testing
