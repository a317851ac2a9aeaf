// qrbatch end to end on real-looking lines, in every format: each written
// file decodes to exactly its content, holds the pixels of the window's
// bitmap, and every failed line is reported and wrote nothing.
#include <gtest/gtest.h>

#include <cstdio>
#include <set>

#include "gbk_text.h"
#include "qrbatch_runner.h"

namespace qrtest {
namespace {

struct ExpectedLine {
  std::string line;
  std::string file;     // relative name without extension; empty when it fails
  std::string content;  // what the file decodes to
  std::string report;   // start of the failure's reason; empty when written
};

std::string Format(const char *pattern, int n) {
  char text[200];
  std::snprintf(text, sizeof text, pattern, n, n);
  return text;
}

// Two hundred lines of the kinds people batch, at a 330 x 330 image (room
// for version 6 at 8 px per module).
std::vector<ExpectedLine> RealLines() {
  std::vector<ExpectedLine> lines;
  auto written = [&](const std::string &line, const std::string &file, const std::string &content) {
    lines.push_back({line, file, content, ""});
  };
  auto failed = [&](const std::string &line, const std::string &report) {
    lines.push_back({line, "", "", report});
  };
  for (int i = 0; i < 40; ++i) {
    const std::string number = std::to_string(20210706001LL + i);
    written(number, number, number);
  }
  for (int i = 0; i < 30; ++i) {
    const std::string url =
        Format("https://shop.example.com/item?id=%d&ref=batch&lang=zh-CN&v=%03d", 4200 + i);
    written(Format("item-%03d", i) + "\t" + url, Format("item-%03d", i), url);
  }
  for (int i = 0; i < 10; ++i)
    failed(Format("https://example.com/p?id=%d", i), "not a valid file name");
  for (int i = 0; i < 30; ++i) {
    std::string text = Format("Stainless bottle 750ml, blue, lot 2021-07, item %05d, box", i);
    text.resize(60, '#');
    written(text, text, text);
  }
  for (int i = 0; i < 30; ++i) {
    // A GBK list: the names are its decoded text, the content its bytes
    // (--encoding raw, as the window encodes them).
    const std::string name = "产品" + std::to_string(i) + "号（蓝色）";
    const std::string url =
        Format("https://example.cn/goods?id=%d&from=batch", i) + qrtext::ToGbk("&名=杯");
    written(qrtext::ToGbk(name) + "\t" + url, name, url);
  }
  for (int i = 0; i < 10; ++i) {
    const std::string line = Format("dup-%d\tsame content %d", i);
    written(line, Format("dup-%d", i), Format("same content %d", i));
    written(line, Format("dup-%d", i), Format("same content %d", i));
  }
  for (int i = 0; i < 10; ++i) {
    const int first = static_cast<int>(lines.size()) + 1;
    written(Format("clash-%d\tfirst %d", i), Format("clash-%d", i), Format("first %d", i));
    failed(Format("CLASH-%d\tsecond %d", i),
           "the name is already used by line " + std::to_string(first));
  }
  for (int i = 0; i < 10; ++i) {
    // 200 bytes: version 9 at level L, 53 modules of 8 px.
    failed(Format("big-%d\t", i) + std::string(200, 'a' + i),
           "symbol needs 424x424 px, image is 330x330; use --size 424 or larger, or --module auto");
  }
  for (int i = 0; i < 5; ++i)
    failed(Format("long-%d\t", i) + std::string(3000, 'z'),
           "too long for version 40 at this level");
  for (int i = 0; i < 3; ++i)
    written(Format("sub\\in-%d\tsub-folder %d", i), Format("sub/in-%d", i),
            Format("sub-folder %d", i));
  for (int i = 0; i < 2; ++i)
    failed(Format("nosuch\\x-%d", i), "could not be written (No such file or directory)");
  return lines;
}

class QrbatchFormats : public ::testing::TestWithParam<std::string> {};

TEST_P(QrbatchFormats, RealLinesDecodeBackOrAreReportedWithNothingWritten) {
  const std::string format = GetParam();
  const std::string extension = format.empty() ? ".jpg" : "." + format;
  TempFolder temp;
  const fs::path out = temp.path() / "out";
  fs::create_directories(out / "sub");

  const std::vector<ExpectedLine> lines = RealLines();
  ASSERT_EQ(lines.size(), 200u);
  std::string input;
  for (const ExpectedLine &line : lines) input += line.line + "\r\n";
  WriteWhole(temp.path() / "lines.txt", input);

  std::vector<std::string> args{"-o", out.string(), "--size",     "330",
                                "-j", "2",          "--encoding", "raw"};
  if (!format.empty()) args.insert(args.end(), {"--format", format});
  const QrbatchRun run = RunQrbatch(args, temp.path() / "lines.txt", temp.path());

  std::map<std::string, std::string> expectedFiles;  // file -> content
  int failures = 0;
  size_t reportAt = 0;
  for (size_t i = 0; i < lines.size(); ++i) {
    const ExpectedLine &line = lines[i];
    if (line.report.empty()) {
      expectedFiles[line.file + extension] = line.content;
      continue;
    }
    ++failures;
    // Reported in input order.
    const std::string text = "qrbatch: line " + std::to_string(i + 1) + ": " + line.report + ": ";
    const size_t at = run.err.find(text, reportAt);
    EXPECT_NE(at, std::string::npos) << text << "\n" << run.err;
    if (at != std::string::npos) reportAt = at;
  }
  EXPECT_EQ(run.status, 1) << run.err;
  EXPECT_NE(run.err.find(std::to_string(failures) + " of 200 lines produced no file"),
            std::string::npos)
      << run.err;
  size_t reported = 0;
  for (size_t at = 0; (at = run.err.find("qrbatch: line ", at)) != std::string::npos; ++at)
    ++reported;
  EXPECT_EQ(reported, static_cast<size_t>(failures));

  // Exactly the expected files (failed lines wrote nothing, no leftovers),
  // each decoding to its content.
  std::set<std::string> names, expectedNames;
  for (const auto &file : FilesUnder(out)) names.insert(file.first);
  for (const auto &file : expectedFiles) expectedNames.insert(file.first);
  EXPECT_EQ(names, expectedNames);
  const fs::path windowOut = temp.path() / "window";
  if (!format.empty()) {
    fs::create_directories(windowOut / "sub");
    ASSERT_EQ(RunQrbatch({"-o", windowOut.string(), "--size", "330", "--encoding", "raw"},
                         temp.path() / "lines.txt", temp.path())
                  .status,
              1);
  }
  for (const auto &[file, content] : expectedFiles) {
    std::vector<uint8_t> pixels;
    int width = 0, height = 0;
    ASSERT_TRUE(ReadImageGrey(out / file, pixels, width, height)) << file;
    EXPECT_EQ(width, 330);
    EXPECT_EQ(height, 330);
    const Decoded decoded = DecodeUnframed(pixels, width, height);
    EXPECT_TRUE(decoded.ok) << file;
    EXPECT_EQ(decoded.bytes, content) << file;
    EXPECT_EQ(decoded.ecLevel, "L") << file;
    if (format.empty()) continue;
    // The same pixels as the window's bitmap file.
    std::vector<uint8_t> windowPixels;
    ASSERT_TRUE(ReadImageGrey(windowOut / fs::path(file).replace_extension(".jpg"), windowPixels,
                              width, height));
    EXPECT_TRUE(pixels == windowPixels) << file;
  }
}

INSTANTIATE_TEST_SUITE_P(EveryFormat, QrbatchFormats, ::testing::Values("", "bmp", "png", "svg"),
                         [](const auto &info) {
                           return info.param.empty() ? std::string("window") : info.param;
                         });

TEST(QrbatchFormatFiles, PngIsOneBitGreySvgIsSizedInPixels) {
  TempFolder temp;
  WriteWhole(temp.path() / "lines.txt", "20210706001\n");
  const fs::path out = temp.path() / "out";
  ASSERT_EQ(RunQrbatch({"-o", out.string(), "--format", "png", "--size", "201x203"},
                       temp.path() / "lines.txt", temp.path())
                .status,
            0);
  ASSERT_EQ(RunQrbatch({"-o", out.string(), "--format", "svg", "--size", "201x203"},
                       temp.path() / "lines.txt", temp.path())
                .status,
            0);
  const std::string png = ReadWhole(out / "20210706001.png");
  ASSERT_GT(png.size(), 33u);
  EXPECT_EQ(png.substr(1, 3), "PNG");
  EXPECT_EQ(png[24], 1) << "bit depth";
  EXPECT_EQ(png[25], 0) << "greyscale";
  const std::string svg = ReadWhole(out / "20210706001.svg");
  EXPECT_NE(svg.find("width=\"201px\" height=\"203px\""), std::string::npos) << svg.substr(0, 200);
  EXPECT_NE(svg.find("fill=\"#fff\""), std::string::npos);
  size_t paths = 0;
  for (size_t at = 0; (at = svg.find("<path", at)) != std::string::npos; ++at) ++paths;
  EXPECT_EQ(paths, 1u);
  // Odd margins land where the bitmap puts them.
  std::vector<uint8_t> svgPixels, pngPixels;
  int w = 0, h = 0;
  ASSERT_TRUE(ReadImageGrey(out / "20210706001.svg", svgPixels, w, h));
  ASSERT_TRUE(ReadImageGrey(out / "20210706001.png", pngPixels, w, h));
  EXPECT_TRUE(svgPixels == pngPixels);
}

}  // namespace
}  // namespace qrtest
