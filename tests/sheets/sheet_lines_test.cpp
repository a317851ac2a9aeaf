// Label sheets fed by the batch's line pipeline, read back from the PDF: a
// spreadsheet's CSV with a header and a caption column, escapes, UTF-8
// content announced by ECI 26, URLs that are no file names, the report
// file's rows, and the module and quiet zone asked on the command line.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <string>
#include <vector>

#include "pdf_pages.h"
#include "qrbatch_runner.h"
#include "sheet_layout.h"
#include "symbol_engine.h"

namespace qrtest {
namespace {

constexpr double kMmPerInch = 25.4;
constexpr char kBom[] = "\xEF\xBB\xBF";
constexpr char kReportHeader[] = "line,name,status,reason\r\n";

std::string WithoutSpaces(std::string text) {
  text.erase(std::remove_if(text.begin(), text.end(),
                            [](char c) { return std::isspace(static_cast<unsigned char>(c)); }),
             text.end());
  return text;
}

// The labels of the first page of `pdf`, cell by cell, decoded.
std::vector<Decoded> DecodeCells(const fs::path &pdf, const qrsheets::SheetLayout &layout,
                                 int cells) {
  constexpr int kDpi = 300;
  const auto px = [](double mm) { return static_cast<int>(std::lround(mm * kDpi / kMmPerInch)); };
  const std::vector<GreyPage> pages = RenderPages(pdf, kDpi);
  std::vector<Decoded> decoded;
  if (pages.empty()) return decoded;
  for (int cell = 0; cell < cells; ++cell) {
    const int w = px(layout.labelWidth) - 4, h = px(layout.labelHeight) - 4;
    decoded.push_back(DecodeGrey(
        pages[0].Crop(px(layout.CellLeft(cell)) + 2, px(layout.CellTop(cell)) + 2, w, h), w, h));
  }
  return decoded;
}

TEST(SheetLines, ACsvListBecomesLabelsWithItsCaptionColumnAndReport) {
  struct Row {
    std::string csv, content, caption;  // caption empty: the row gets no label
  };
  const std::vector<Row> rows = {
      // A URL as name: no valid file name, and none is needed for a label.
      {"https://shop.example.com/p?id=7,https://shop.example.com/p?id=7,Product 7",
       "https://shop.example.com/p?id=7", "Product 7"},
      {"华为,华为 Mate 60 蓝色 https://例子.cn/x,华为 Mate 60",
       "华为 Mate 60 蓝色 https://例子.cn/x", "华为 Mate 60"},
      {"card,BEGIN:VCARD\\nFN:Zoë Brandt\\nEND:VCARD,\"Zoë, the card\"",
       "BEGIN:VCARD\nFN:Zoë Brandt\nEND:VCARD", "Zoë, the card"},
      {"big," + std::string(7100, '7') + ",too long", "", ""},
      {"wide,x," + std::string(600, 'W'), "", ""},
      {"bad,\\q,bad escape", "", ""},
      {"cafe,\"Café \"\"Crème\"\"\",Café", "Café \"Crème\"", "Café"},
  };
  TempFolder temp;
  std::string input = "sku,link,label\r\n";
  for (const Row &row : rows) input += row.csv + "\r\n";
  WriteWhole(temp.path() / "list.csv", input);
  const fs::path out = temp.path() / "out", report = temp.path() / "report.csv";
  const QrbatchRun run =
      RunQrbatch({"--format", "pdf", "--csv", "--columns", "sku,link,label", "--caption", "column",
                  "--escapes", "--labels", "2x4", "--margins", "10", "--report", report.string(),
                  "-o", out.string(), (temp.path() / "list.csv").string()},
                 "/dev/null", temp.path());
  EXPECT_EQ(run.status, 1) << run.err;
  EXPECT_NE(run.err.find("line 5: too long for version 40 at this level"), std::string::npos)
      << run.err;
  EXPECT_NE(run.err.find("3 of 7 lines produced no label"), std::string::npos) << run.err;
  ASSERT_TRUE(fs::exists(out / "labels.pdf")) << run.err;
  EXPECT_EQ(std::distance(fs::directory_iterator(out), fs::directory_iterator()), 1);

  EXPECT_EQ(ReadWhole(report),
            std::string(kBom) + kReportHeader +
                "2,https://shop.example.com/p?id=7,written,\r\n"
                "3,华为,written,\r\n"
                "4,card,written,\r\n"
                "5,big,failed,too long for version 40 at this level\r\n"
                "6,wide,failed,\"caption does not fit under the code, even wrapped at the "
                "smallest size\"\r\n"
                "7,,failed,bad escape (\\q)\r\n"
                "8,cafe,written,\r\n");

  qrsheets::SheetRequest request;
  request.columns = 2, request.rows = 4;
  request.marginX = request.marginY = 10;
  qrsheets::SheetLayout layout;
  const qrplatform::Outcome laidOut = qrsheets::MakeSheetLayout(request, layout);
  ASSERT_TRUE(laidOut) << laidOut.reason();
  std::vector<const Row *> placed;
  for (const Row &row : rows)
    if (!row.caption.empty()) placed.push_back(&row);
  const std::vector<Decoded> cells = DecodeCells(out / "labels.pdf", layout, 5);
  ASSERT_EQ(cells.size(), 5u);
  for (size_t i = 0; i < placed.size(); ++i) {
    SCOPED_TRACE(placed[i]->csv);
    ASSERT_TRUE(cells[i].ok);
    EXPECT_EQ(cells[i].bytes, placed[i]->content);
    // UTF-8 beyond ASCII is announced as such (after the symbology
    // identifier), ASCII needs no designator.
    const bool ascii = std::all_of(placed[i]->content.begin(), placed[i]->content.end(),
                                   [](char c) { return static_cast<unsigned char>(c) < 0x80; });
    if (ascii)
      EXPECT_EQ(cells[i].bytesEci.find("\\0000"), std::string::npos) << cells[i].bytesEci;
    else
      EXPECT_EQ(cells[i].bytesEci, "]Q2\\000026" + placed[i]->content);
  }
  EXPECT_FALSE(cells[placed.size()].ok);  // no fifth label

  int status = 0;
  const std::string text =
      WithoutSpaces(CommandOutput("pdftotext '" + (out / "labels.pdf").string() + "' -", status));
  ASSERT_EQ(status, 0);
  for (const Row *row : placed)
    EXPECT_NE(text.find(WithoutSpaces(row->caption)), std::string::npos)
        << row->caption << " in " << text;
  EXPECT_EQ(text.find("sku"), std::string::npos);  // the header row is no label
}

// The symbol's extent in a 600 dpi rendering of a one-label page: the rows
// from its first dark pixel down to its bottom finder, the caption below
// left out.
struct Extent {
  int width = 0, height = 0;
};
Extent SymbolExtent(const GreyPage &page, double expected) {
  int left = page.width, right = -1, top = page.height, bottom = -1;
  for (int y = 0; y < page.height; ++y)
    for (int x = 0; x < page.width; ++x)
      if (page.At(x, y) < 128) {
        if (top == page.height) top = y;
        if (y - top > expected * 1.05) break;  // the caption
        left = std::min(left, x), right = std::max(right, x), bottom = std::max(bottom, y);
      }
  return {right - left + 1, bottom - top + 1};
}

TEST(SheetLines, ModuleAndQuietZoneFromTheCommandLine) {
  const std::string content = "https://example.com/m";
  qr::SymbolEngine engine;
  qr::SymbolSettings settings;
  ASSERT_EQ(engine.Encode(content.data(), content.size(), settings), qr::EncodeResult::kWritten);
  const int side = engine.side();

  TempFolder temp;
  WriteWhole(temp.path() / "lines.txt", "M\t" + content + "\n");
  const fs::path out = temp.path() / "out";
  const auto run = [&](std::vector<std::string> args) {
    args.insert(args.end(), {"--format", "pdf", "--page", "60x60mm", "--labels", "1x1", "-o",
                             out.string(), (temp.path() / "lines.txt").string()});
    return RunQrbatch(args, temp.path() / "lines.txt", temp.path());
  };
  // 0.5 mm without --dpi: a PDF's sizes are physical.
  QrbatchRun done = run({"--module", "0.5mm"});
  ASSERT_EQ(done.status, 0) << done.err;
  constexpr int kDpi = 600;
  const double expected = side * 0.5 * kDpi / kMmPerInch;
  std::vector<GreyPage> pages = RenderPages(out / "labels.pdf", kDpi);
  ASSERT_EQ(pages.size(), 1u);
  const Extent extent = SymbolExtent(pages[0], expected);
  EXPECT_NEAR(extent.width, expected, expected * 0.01);
  EXPECT_NEAR(extent.height, expected, expected * 0.01);

  // 1 mm modules leave a 60 mm label room for the code with a quiet zone
  // of 4, not of 20: that line has no label, and says why.
  done = run({"--module", "1mm", "--quiet-zone", "4"});
  EXPECT_EQ(done.status, 0) << done.err;
  done = run({"--module", "1mm", "--quiet-zone", "20"});
  EXPECT_EQ(done.status, 1) << done.err;
  EXPECT_NE(done.err.find("line 1: code and quiet zone do not fit the label (the code needs "),
            std::string::npos)
      << done.err;
  // A PDF has no pixels.
  done = run({"--module", "4px"});
  EXPECT_EQ(done.status, 2) << done.err;
  EXPECT_NE(done.err.find("--module Xmm"), std::string::npos) << done.err;
}

TEST(SheetLines, ASmallModuleIsRefusedUnlessMinModuleAllowsIt) {
  // 2,000 bytes on the default A4 sheet of 3 x 8 labels: version 31, whose
  // module would be about 0.2 mm.
  TempFolder temp;
  WriteWhole(temp.path() / "lines.txt", "dense\t" + std::string(2000, 'a') + "\n");
  const fs::path out = temp.path() / "out";
  const auto run = [&](std::vector<std::string> args) {
    args.insert(args.end(),
                {"--format", "pdf", "-o", out.string(), (temp.path() / "lines.txt").string()});
    return RunQrbatch(args, temp.path() / "lines.txt", temp.path());
  };
  QrbatchRun done = run({});
  EXPECT_EQ(done.status, 1) << done.err;
  EXPECT_NE(done.err.find("line 1: code and quiet zone do not fit the label (the code needs "),
            std::string::npos)
      << done.err;
  EXPECT_NE(done.err.find("of at least 0.25 mm"), std::string::npos) << done.err;
  done = run({"--min-module", "0"});
  EXPECT_EQ(done.status, 0) << done.err;
}

TEST(SheetLines, ACaptionIsCleanedOnceAsInAnImage) {
  // The escaped line break of the content is a space in the caption.
  TempFolder temp;
  WriteWhole(temp.path() / "lines.txt", "card\tBEGIN\\nEND\n");
  const fs::path out = temp.path() / "out";
  const QrbatchRun done = RunQrbatch({"--format", "pdf", "--escapes", "--caption", "content", "-o",
                                      out.string(), (temp.path() / "lines.txt").string()},
                                     temp.path() / "lines.txt", temp.path());
  ASSERT_EQ(done.status, 0) << done.err;
  int status = 0;
  const std::string text =
      CommandOutput("pdftotext '" + (out / "labels.pdf").string() + "' -", status);
  EXPECT_EQ(status, 0);
  EXPECT_NE(text.find("BEGIN END"), std::string::npos) << text;
}

}  // namespace
}  // namespace qrtest
