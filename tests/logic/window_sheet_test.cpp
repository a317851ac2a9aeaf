// The window's batch as label sheets (文件类型 "标签页 PDF" in Set.ini): one
// labels.pdf in the destination folder, read back as a printer would put it
// on paper (pdftoppm at 300 dpi, zxing-cpp on each label, pdftotext for the
// captions), with lines refused for their reasons.
#include <algorithm>
#include <cmath>
#include <filesystem>

#include "from_gbk.h"
#include "label_sheet_batch.h"
#include "pdf_pages.h"
#include "qr_decoder.h"
#include "qrbatch_runner.h"
#include "sheet_layout.h"
#include "window_fixture.h"

namespace qrapp::testing {
namespace {

namespace fs = std::filesystem;

constexpr int kDpi = 300;
constexpr char kPdf[] = "D:\\out\\labels.pdf";

int Px(double mm) { return static_cast<int>(std::lround(mm * kDpi / 25.4)); }

std::string WithoutSpaces(std::string text) {
  text.erase(std::remove_if(text.begin(), text.end(),
                            [](char c) { return std::isspace(static_cast<unsigned char>(c)); }),
             text.end());
  return text;
}

class WindowSheetTest : public WindowTest {
 protected:
  void SetUp() override {
    logic.OnCreated();
    files.folders.insert("D:\\out");
    view.Type(resources::control::kDestination, "D:\\out");
    settings.Write(kSettingsSection, "filetype", "pdf");
    ASSERT_TRUE(qrsheets::MakeSheetLayout(qrsheets::DefaultSheet(), layout));
  }
  void Batch(const std::vector<std::string> &lines) {
    std::string input;
    for (const std::string &line : lines) input += line + "\r\n";
    view.messages.clear();
    view.Type(resources::control::kBatchInput, input);
    logic.OnBatchClicked();
  }
  std::string Failures() const { return view.messages.empty() ? "" : view.messages[0].second; }
  fs::path PdfOnDisk() {
    const fs::path path = folder.path() / "labels.pdf";
    qrtest::WriteWhole(path, files.files.at(kPdf));
    return path;
  }
  // The label in cell `cell` of the first page, a little inside its edges.
  qrtest::Decoded DecodeCell(const qrtest::GreyPage &page, int cell) {
    const int w = Px(layout.labelWidth) - 4, h = Px(layout.labelHeight) - 4;
    return qrtest::DecodeGrey(
        page.Crop(Px(layout.CellLeft(cell)) + 2, Px(layout.CellTop(cell)) + 2, w, h), w, h);
  }
  std::string PdfText(const fs::path &pdf) {
    int status = 0;
    const std::string text = qrtest::CommandOutput("pdftotext '" + pdf.string() + "' -", status);
    EXPECT_EQ(status, 0);
    return WithoutSpaces(text);
  }

  qrtest::TempFolder folder;
  qrsheets::SheetLayout layout;
};

TEST_F(WindowSheetTest, LabelsReadBackWithTheirNamesAndRefusedLinesSayWhy) {
  struct Label {
    std::string line, caption, content;  // caption and content empty: refused
  };
  const Label labels[] = {
      {"P-001\thttps://shop.example.com/product?id=000001", "P-001",
       "https://shop.example.com/product?id=000001"},
      {"保温杯 750ml\t保温杯 750ml https://example.cn/g", "保温杯750ml",
       "保温杯 750ml https://example.cn/g"},
      {std::string(600, 'W') + "\tx", "", ""},                             // caption
      {"big\t" + std::string(3000, '7') + std::string(400, 'x'), "", ""},  // no version
      {"dense\t" + std::string(2000, 'a'), "", ""},                        // modules too small
      {"SERIAL-0042", "SERIAL-0042", "SERIAL-0042"},
  };
  std::vector<std::string> lines;
  for (const Label &label : labels) lines.push_back(label.line);
  Batch(lines);

  const std::string failures = Failures();
  EXPECT_NE(failures.find("第 3 行"), std::string::npos) << failures;
  EXPECT_NE(failures.find("说明文字过长"), std::string::npos) << failures;
  EXPECT_NE(failures.find("第 4 行"), std::string::npos) << failures;
  EXPECT_NE(failures.find("内容过长"), std::string::npos) << failures;
  EXPECT_NE(failures.find("第 5 行"), std::string::npos) << failures;
  EXPECT_NE(failures.find("二维码连同静区在标签上放不下：二维码连同静区"), std::string::npos)
      << failures;
  EXPECT_EQ(view.Text(resources::control::kWrittenCount), "3");
  ASSERT_EQ(files.files.count(kPdf), 1u);
  // Nothing per line beside the PDF, and the report of the refused lines,
  // whose rows name the document for the placed ones.
  const std::string report = "D:\\out\\批量生成报告.csv";
  for (const auto &[path, bytes] : files.files)
    EXPECT_TRUE(path.rfind("D:\\out\\", 0) != 0 || path == kPdf || path == report) << path;
  EXPECT_NE(files.files[report].find("\r\n1,labels.pdf,"), std::string::npos)
      << files.files[report];

  const fs::path pdf = PdfOnDisk();
  const std::vector<qrtest::GreyPage> pages = qrtest::RenderPages(pdf, kDpi);
  ASSERT_EQ(pages.size(), 1u);
  const std::string text = PdfText(pdf);
  int cell = 0;
  for (const Label &label : labels) {
    if (label.content.empty()) continue;
    const qrtest::Decoded decoded = DecodeCell(pages[0], cell);
    EXPECT_TRUE(decoded.ok) << "cell " << cell;
    // The window's default content encoding is GBK.
    EXPECT_EQ(qrtext::FromGbk(decoded.bytes), label.content) << "cell " << cell;
    EXPECT_NE(text.find(label.caption), std::string::npos) << label.caption;
    ++cell;
  }
  // A refused line leaves no gap: the cell after the last label is blank.
  const std::vector<uint8_t> blank =
      pages[0].Crop(Px(layout.CellLeft(cell)), Px(layout.CellTop(cell)), Px(layout.labelWidth),
                    Px(layout.labelHeight));
  EXPECT_GT(*std::min_element(blank.begin(), blank.end()), 250);
}

TEST_F(WindowSheetTest, TheSmallestModuleRowMovesTheFloor) {
  // The line refused above at the default 0.25 mm gets its label with no floor.
  settings.Write(kSettingsSection, "min-module", "0");
  Batch({"dense\t" + std::string(2000, 'a')});
  EXPECT_EQ(Failures(), "");
  EXPECT_EQ(view.Text(resources::control::kWrittenCount), "1");
}

TEST_F(WindowSheetTest, CaptionColumnAndQuietZoneOfTheOptions) {
  settings.Write(kSettingsSection, "caption", "column");
  settings.Write(kSettingsSection, "quietzone", "2");
  Batch({"a\tHELLO 123\tP-7 蓝色", "b\tWORLD"});
  EXPECT_EQ(Failures(), "");
  const fs::path pdf = PdfOnDisk();
  const std::vector<qrtest::GreyPage> pages = qrtest::RenderPages(pdf, kDpi);
  ASSERT_EQ(pages.size(), 1u);
  EXPECT_EQ(DecodeCell(pages[0], 0).bytes, "HELLO 123");
  EXPECT_EQ(DecodeCell(pages[0], 1).bytes, "WORLD");
  const std::string text = PdfText(pdf);
  EXPECT_NE(text.find("P-7蓝色"), std::string::npos) << text;
  EXPECT_EQ(text.find("WORLD"), std::string::npos) << "a line without a caption column has none";
}

TEST_F(WindowSheetTest, NoHalfDocumentAndNoneForNoLabel) {
  // Every line refused: no PDF at all.
  Batch({"big\t" + std::string(3000, '7') + std::string(400, 'x')});
  EXPECT_EQ(files.files.count(kPdf), 0u);

  // An older document stays whole when the new one cannot be written, and
  // every line that had its label reports it.
  files.files[kPdf] = "old";
  files.unwritable.insert(kPdf);
  Batch({"a\tone", "b\ttwo"});
  EXPECT_EQ(files.files.at(kPdf), "old");
  const std::string failures = Failures();
  EXPECT_NE(failures.find("第 1 行"), std::string::npos) << failures;
  EXPECT_NE(failures.find("第 2 行"), std::string::npos) << failures;
  EXPECT_NE(failures.find("文件无法写入"), std::string::npos) << failures;
}

}  // namespace
}  // namespace qrapp::testing
