// Label sheets read back as a user's printer and scanner would see them:
// every label decodes to exactly its content, captions come out of the
// PDF as text in an embedded subset font, modules measure their size, and
// a stopped batch leaves no PDF.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <fstream>
#include <regex>
#include <thread>

#include "label_sheet_pdf.h"
#include "pdf_pages.h"
#include "qrbatch_runner.h"
#include "symbol_engine.h"

namespace qrtest {
namespace {

constexpr double kMmPerInch = 25.4;

struct Label {
  std::string line, caption, content;
  bool placed = true;
};

std::string WithoutSpaces(std::string text) {
  text.erase(std::remove_if(text.begin(), text.end(),
                            [](char c) { return std::isspace(static_cast<unsigned char>(c)); }),
             text.end());
  return text;
}

TEST(SheetPdf, EveryLabelReadsBackWithItsCaption) {
  std::vector<Label> labels;
  for (int i = 1; i <= 16; ++i) {
    char name[16], url[96];
    std::snprintf(name, sizeof name, "P%06d", i);
    std::snprintf(url, sizeof url, "https://shop.example.com/product?id=%06d&ref=qr", i);
    labels.push_back({std::string(name) + "\t" + url, name, url});
  }
  for (const char *name : {"产品一号（蓝色）", "保温杯 750ml", "桌面收纳盒-大号", "雨伞"})
    labels.push_back({std::string(name) + "\t" + name + " https://example.cn/g", name,
                      std::string(name) + " https://example.cn/g"});
  const std::string wrapped =
      "Stainless steel bottle, 750 ml, blue, lot 2021-07, keep away from heat";
  labels.push_back({wrapped + "\tbottle-750-blue", wrapped, "bottle-750-blue"});
  labels.push_back({"SERIAL-0042", "SERIAL-0042", "SERIAL-0042"});
  // Lines that get no label; the next label takes their cell.
  labels.push_back({std::string(600, 'W') + "\tx", "", "", false});
  labels.push_back({"big\t" + std::string(3000, '7') + std::string(400, 'x'), "", "", false});
  labels.push_back({"后来\t最后一个", "后来", "最后一个"});

  TempFolder temp;
  std::string input;
  for (const Label &label : labels) input += label.line + "\n";
  WriteWhole(temp.path() / "lines.txt", input);
  const fs::path out = temp.path() / "out";
  const QrbatchRun run =
      RunQrbatch({"--format", "pdf", "--labels", "3x4", "--gap", "2", "--margins", "8", "--first",
                  "4", "--cut-marks", "-o", out.string(), (temp.path() / "lines.txt").string()},
                 temp.path() / "lines.txt", temp.path());
  EXPECT_EQ(run.status, 1) << run.err;
  EXPECT_NE(run.err.find("line 23"), std::string::npos) << run.err;
  EXPECT_NE(run.err.find("caption does not fit"), std::string::npos) << run.err;
  EXPECT_NE(run.err.find("line 24"), std::string::npos) << run.err;
  const fs::path pdf = out / "labels.pdf";
  ASSERT_TRUE(fs::exists(pdf));
  EXPECT_EQ(std::distance(fs::directory_iterator(out), fs::directory_iterator()), 1);

  // The grid as given: 3 x 4 labels sharing an A4 page inside 8 mm margins.
  qrsheets::SheetRequest request;
  request.columns = 3, request.rows = 4;
  request.marginX = request.marginY = 8;
  request.gapX = request.gapY = 2;
  request.first = 4;
  qrsheets::SheetLayout layout;
  const qrplatform::Outcome laidOut = qrsheets::MakeSheetLayout(request, layout);
  ASSERT_TRUE(laidOut) << laidOut.reason();

  constexpr int kDpi = 300;
  const std::vector<GreyPage> pages = RenderPages(pdf, kDpi);
  const auto px = [](double mm) { return static_cast<int>(std::lround(mm * kDpi / kMmPerInch)); };
  const int placed = static_cast<int>(
      std::count_if(labels.begin(), labels.end(), [](const Label &l) { return l.placed; }));
  ASSERT_EQ(static_cast<int>(pages.size()), (3 + placed + 11) / 12);
  // A partly used sheet: the first three cells stay blank.
  for (int cell = 0; cell < 3; ++cell) {
    const std::vector<uint8_t> blank =
        pages[0].Crop(px(layout.CellLeft(cell)), px(layout.CellTop(cell)), px(layout.labelWidth),
                      px(layout.labelHeight));
    EXPECT_GT(*std::min_element(blank.begin(), blank.end()), 250) << "cell " << cell;
  }
  int cell = 3;
  for (const Label &label : labels) {
    if (!label.placed) continue;
    const GreyPage &page = pages[static_cast<size_t>(cell / 12)];
    const int inPage = cell % 12;
    // The label's own area, a little inside its edges (no cut marks).
    const int w = px(layout.labelWidth) - 4, h = px(layout.labelHeight) - 4;
    const Decoded decoded = DecodeGrey(
        page.Crop(px(layout.CellLeft(inPage)) + 2, px(layout.CellTop(inPage)) + 2, w, h), w, h);
    EXPECT_TRUE(decoded.ok) << "cell " << cell;
    EXPECT_EQ(decoded.bytes, label.content) << "cell " << cell;
    ++cell;
  }

  int status = 0;
  const std::string text =
      WithoutSpaces(CommandOutput("pdftotext '" + pdf.string() + "' -", status));
  ASSERT_EQ(status, 0);
  for (const Label &label : labels)
    if (label.placed) {
      EXPECT_NE(text.find(WithoutSpaces(label.caption)), std::string::npos) << label.caption;
    }

  const std::string fonts = CommandOutput("pdffonts '" + pdf.string() + "'", status);
  ASSERT_EQ(status, 0);
  // Embedded ("emb"), as a subset ("sub", the name's six-letter tag), with
  // a map back to Unicode ("uni").
  EXPECT_TRUE(std::regex_search(
      fonts, std::regex("[A-Z]{6}\\+WenQuanYiMicroHei +CID TrueType +Identity-H +yes +yes +yes")))
      << fonts;
}

// The symbol's extent measured in a 600 dpi rendering of the PDF is its
// modules times the module size asked for.
TEST(SheetPdf, ModulesHaveTheirPhysicalSize) {
  qr::SymbolEngine engine;
  qr::SymbolSettings settings;
  const std::string message = "https://example.com/m";
  ASSERT_EQ(engine.Encode(message.data(), message.size(), settings), qr::EncodeResult::kWritten);
  const int side = engine.side();
  std::vector<uint8_t> modules(static_cast<size_t>(side) * side);
  for (int y = 0; y < side; ++y)
    for (int x = 0; x < side; ++x) modules[static_cast<size_t>(y) * side + x] = engine.Dark(x, y);

  for (double moduleMm : {0.33, 0.5, 0.8}) {
    SCOPED_TRACE(moduleMm);
    TempFolder temp;
    qrsheets::SheetRequest request;
    request.pageWidth = request.pageHeight = 60;
    request.columns = request.rows = 1;
    qrsheets::SheetLayout layout;
    const qrplatform::Outcome laidOut = qrsheets::MakeSheetLayout(request, layout);
    ASSERT_TRUE(laidOut) << laidOut.reason();
    qrsheets::LabelStyle style;
    style.moduleMm = moduleMm;
    const fs::path pdf = temp.path() / "one.pdf";
    std::ofstream file(pdf, std::ios::binary);
    qrsheets::LabelSheetPdf sheet(layout, style);
    ASSERT_TRUE(sheet.Open([&](const unsigned char *data, size_t size) {
      file.write(reinterpret_cast<const char *>(data), static_cast<std::streamsize>(size));
      return static_cast<bool>(file);
    }));
    const qrsheets::LabelSheetPdf::Added added = sheet.Add(modules, side, "0.5 mm");
    ASSERT_TRUE(added.placed()) << added.reason;
    const qrplatform::Outcome finished = sheet.Finish();
    ASSERT_TRUE(finished) << finished.reason();
    file.close();

    constexpr int kDpi = 600;
    const std::vector<GreyPage> pages = RenderPages(pdf, kDpi);
    ASSERT_EQ(pages.size(), 1u);
    // Rows of the symbol only: from its top finder down to its bottom one,
    // the caption below left out by the width of its darkest run.
    const GreyPage &page = pages[0];
    int left = page.width, right = -1, top = page.height, bottom = -1;
    const double expected = side * moduleMm * kDpi / kMmPerInch;
    for (int y = 0; y < page.height; ++y)
      for (int x = 0; x < page.width; ++x)
        if (page.At(x, y) < 128) {
          if (top == page.height) top = y;
          if (y - top > expected * 1.05) break;  // the caption
          left = std::min(left, x), right = std::max(right, x), bottom = std::max(bottom, y);
        }
    EXPECT_NEAR(right - left + 1, expected, expected * 0.01);
    EXPECT_NEAR(bottom - top + 1, expected, expected * 0.01);
  }
}

TEST(SheetPdf, AStoppedBatchLeavesNoPdf) {
  TempFolder temp;
  const fs::path out = temp.path() / "out";
  int toQrbatch[2];
  ASSERT_EQ(pipe(toQrbatch), 0);
  const int outFd = open((temp.path() / "stdout").c_str(), O_WRONLY | O_CREAT, 0644);
  const int errFd = open((temp.path() / "stderr").c_str(), O_WRONLY | O_CREAT, 0644);
  const pid_t pid =
      StartQrbatch({"--format", "pdf", "-o", out.string()}, toQrbatch[0], outFd, errFd);
  close(toQrbatch[0]);
  close(outFd);
  close(errFd);
  ASSERT_GT(pid, 0);
  const std::string lines = "A\tfirst\nB\tsecond\n";
  ASSERT_EQ(write(toQrbatch[1], lines.data(), lines.size()), static_cast<ssize_t>(lines.size()));
  // The PDF is being written under its temporary name.
  const auto temporaryThere = [&] {
    std::error_code ignored;
    for (const auto &entry : fs::directory_iterator(out, ignored))
      if (entry.path().extension() == ".tmp") return true;
    return false;
  };
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
  while (!temporaryThere() && std::chrono::steady_clock::now() < deadline)
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  ASSERT_TRUE(temporaryThere());
  kill(pid, SIGTERM);
  EXPECT_EQ(WaitQrbatch(pid), 130) << ReadWhole(temp.path() / "stderr");
  close(toQrbatch[1]);
  EXPECT_TRUE(fs::is_empty(out));
}

TEST(SheetPdf, RefusesSheetsThatCannotBeMade) {
  TempFolder temp;
  WriteWhole(temp.path() / "lines.txt", "A\n");
  const std::vector<std::vector<std::string>> refused = {
      {"--labels", "3x8"},                         // a sheet option without --format pdf
      {"--format", "pdf", "--label", "300x20mm"},  // wider than the page
      {"--format", "pdf", "--labels", "3x8", "--first", "25"},
      {"--format", "pdf", "--page", "a5"},
  };
  for (std::vector<std::string> args : refused) {
    args.insert(args.end(),
                {"-o", (temp.path() / "out").string(), (temp.path() / "lines.txt").string()});
    const QrbatchRun run = RunQrbatch(args, temp.path() / "lines.txt", temp.path());
    EXPECT_EQ(run.status, 2) << args[1] << run.err;
    EXPECT_FALSE(fs::exists(temp.path() / "out" / "labels.pdf"));
  }
}

}  // namespace
}  // namespace qrtest
