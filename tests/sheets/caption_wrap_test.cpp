// One caption rule for images and labels: a caption wraps the same way in
// an image's band and on a label whose caption room corresponds, a pixel
// there being a label's unit (a hundredth of a point) here, where the text
// stack measures alike. The lines are read back from the PDF with
// pdftotext (-raw: as drawn, line ends not joined where they end in a
// hyphen) and compared with the ones the image's layout reports; no
// character is added where a line breaks (an address keeps its spelling).
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "caption_painter.h"
#include "caption_text.h"
#include "label_sheet_pdf.h"
#include "pdf_pages.h"
#include "qrbatch_runner.h"

namespace qrtest {
namespace {

// `caption` on one label whose caption box is the image band's, in the
// label's units.
std::string LabelPdf(const std::string &caption, const qrcaption::CaptionBox &band,
                     const fs::path &pdf) {
  qrsheets::LabelStyle style;
  style.caption.largestPt = band.largest / 100.0;
  style.caption.smallestPt = band.smallest / 100.0;
  style.caption.heightPt = band.height / 100.0;
  style.smallestModuleMm = 0;  // a narrow label: its caption is what is tested
  qrsheets::SheetRequest request;
  request.pageWidth = band.width * qrsheets::kMmPerCaptionUnit + 2 * style.paddingMm;
  request.pageHeight = 3 * request.pageWidth;
  request.columns = request.rows = 1;
  qrsheets::SheetLayout layout;
  const qrplatform::Outcome laidOut = qrsheets::MakeSheetLayout(request, layout);
  if (!laidOut) return laidOut.reason();
  std::ofstream file(pdf, std::ios::binary);
  qrsheets::LabelSheetPdf sheet(layout, style);
  const int side = 21;
  const std::vector<uint8_t> modules(side * side, 1);
  const qrplatform::Outcome opened = sheet.Open([&](const unsigned char *data, size_t size) {
    file.write(reinterpret_cast<const char *>(data), static_cast<std::streamsize>(size));
    return static_cast<bool>(file);
  });
  if (!opened) return opened.reason();
  const qrsheets::LabelSheetPdf::Added added = sheet.Add(modules, side, caption);
  if (!added.placed()) return added.reason;
  return sheet.Finish().reason();
}

std::vector<std::string> PrintedLines(const fs::path &pdf) {
  int status = 0;
  std::istringstream text(CommandOutput("pdftotext -raw '" + pdf.string() + "' -", status));
  std::vector<std::string> lines;
  for (std::string line; std::getline(text, line);) {
    while (!line.empty() && (line.back() == ' ' || line.back() == '\f')) line.pop_back();
    if (!line.empty()) lines.push_back(line);
  }
  return lines;
}

TEST(CaptionWrap, ALabelBreaksItsCaptionWhereTheImageDoes) {
  struct Case {
    std::string caption;
    bool address;  // no spaces: the lines joined are the caption
  };
  const Case cases[] = {
      {"https://shop.example.com/product?id=000042&ref=qr-campaign-2021&lang=zh-CN&"
       "store=%E9%97%A8%E5%BA%97",
       true},
      {"https://example.cn/abcdefghijklmnopqrstuvwxyzabcdefghijklmnopqrstuvwxyzabcdefghijklmnop",
       true},
      {"不锈钢保温杯，七百五十毫升，蓝色，二零二一年七月批次，请远离热源存放，谢谢惠顾", true},
      {"Stainless steel bottle, 750 ml, blue, lot 2021-07, keep away from heat and light", false},
  };
  const int width = 400, band = 150;
  const qrcaption::CaptionBox box = qrcaption::BandBox(width, band);
  qrcaption::CaptionPainter painter;
  ASSERT_TRUE(painter.ready());
  TempFolder temp;
  for (const Case &c : cases) {
    SCOPED_TRACE(c.caption);
    const qrcaption::CaptionLayout image =
        painter.Lay(qrcaption::CaptionText(c.caption), width, band);
    ASSERT_TRUE(image.fits);
    ASSERT_GE(image.lines.size(), 2u);  // each case wraps
    const fs::path pdf = temp.path() / "label.pdf";
    ASSERT_EQ(LabelPdf(c.caption, box, pdf), "");
    const std::vector<std::string> printed = PrintedLines(pdf);
    std::vector<std::string> expected;
    std::string joined;
    for (const qrcaption::CaptionLine &line : image.lines) {
      expected.push_back(line.text);
      joined += line.text;
    }
    EXPECT_EQ(printed, expected);
    if (c.address) {
      EXPECT_EQ(joined, c.caption);
    }
  }
}

// A caption's controls are spaces on a label as in an image: a line break
// in the caption starts no line of its own.
TEST(CaptionWrap, ALabelShowsControlsAsSpaces) {
  TempFolder temp;
  const fs::path pdf = temp.path() / "label.pdf";
  ASSERT_EQ(LabelPdf("BEGIN\nEND\t1", qrcaption::BandBox(400, 150), pdf), "");
  EXPECT_EQ(PrintedLines(pdf), std::vector<std::string>{"BEGIN END 1"});
}

}  // namespace
}  // namespace qrtest
