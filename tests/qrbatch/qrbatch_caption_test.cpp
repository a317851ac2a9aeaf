// qrbatch's captions end to end, in every format: each file still decodes
// to its content, its caption band holds ink exactly where a caption is
// (and nowhere beside it), the SVG names the caption's font, and captions
// that cannot fit fail their lines with the reason.
#include <gtest/gtest.h>

#include "image_fit.h"
#include "qrbatch_runner.h"

namespace qrtest {
namespace {

struct Band {
  long long ink = 0;      // dark pixels in the band
  long long beside = 0;   // dark pixels in the band's side margins
  long long between = 0;  // dark pixels between the symbol and the band
};

// The band's rows of a grey image, with the symbol's bottom at `symbolBottom`.
Band BandOf(const std::vector<uint8_t> &grey, int width, int height, int symbolBottom) {
  const int bandTop = height - batch::CaptionBandHeight(height);
  const int side = std::max(1, batch::CaptionBandHeight(height) / 6) - 1;
  Band band;
  for (int y = symbolBottom; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      if (grey[static_cast<size_t>(y) * width + x] >= 128) continue;
      if (y < bandTop)
        ++band.between;
      else if (x < side || x >= width - side)
        ++band.beside;
      else
        ++band.ink;
    }
  }
  return band;
}

// The lowest row with a dark pixel above the band: the symbol's bottom.
int SymbolBottom(const std::vector<uint8_t> &grey, int width, int height) {
  const int bandTop = height - batch::CaptionBandHeight(height);
  int bottom = 0;
  for (int y = 0; y < bandTop; ++y) {
    for (int x = 0; x < width; ++x) {
      if (grey[static_cast<size_t>(y) * width + x] < 128) bottom = y + 1;
    }
  }
  return bottom;
}

struct Line {
  std::string input, file, content;
  bool captioned;  // the band holds ink
};

TEST(QrbatchCaption, CaptionedFilesDecodeAndHoldTheirCaptions) {
  const std::vector<Line> lines = {
      {"P000001\thttps://shop.example.com/p?id=1\t资产编号 P000001", "P000001",
       "https://shop.example.com/p?id=1", true},
      {"tag-2\tTAG 2\tStainless bottle 750ml, blue, lot 2021-07 & co", "tag-2", "TAG 2", true},
      {"plain\tno caption column", "plain", "no caption column", false},
      {"wrapped\tw\tThis caption is long enough that it has to wrap onto two lines", "wrapped", "w",
       true},
  };
  std::string input;
  for (const Line &line : lines) input += line.input + "\n";
  for (const char *format : {"png", "bmp", "svg", "jpg"}) {
    SCOPED_TRACE(format);
    TempFolder folder;
    WriteWhole(folder.path() / "in.txt", input);
    std::vector<std::string> args = {
        "-o", (folder.path() / "out").string(), "--size", "240x260", "--caption", "column"};
    if (std::string(format) != "jpg") args.insert(args.end(), {"--format", format});
    const QrbatchRun run = RunQrbatch(args, folder.path() / "in.txt", folder.path());
    ASSERT_EQ(run.status, 0) << run.err;
    for (const Line &line : lines) {
      SCOPED_TRACE(line.file);
      const fs::path file = folder.path() / "out" / (line.file + "." + format);
      std::vector<uint8_t> grey;
      int width = 0, height = 0;
      ASSERT_TRUE(ReadImageGrey(file, grey, width, height));
      ASSERT_EQ(width, 240);
      ASSERT_EQ(height, 260);
      const Decoded decoded = DecodeUnframed(grey, width, height);
      ASSERT_TRUE(decoded.ok);
      EXPECT_EQ(decoded.bytes, line.content);
      const Band band = BandOf(grey, width, height, SymbolBottom(grey, width, height));
      EXPECT_EQ(band.ink > 200, line.captioned) << band.ink;
      EXPECT_EQ(band.between, 0);
      EXPECT_EQ(band.beside, 0);
      if (std::string(format) == "svg" && line.captioned) {
        const std::string svg = ReadWhole(file);
        EXPECT_NE(svg.find("font-family=\"WenQuanYi Micro Hei"), std::string::npos);
        EXPECT_NE(svg.find("<text "), std::string::npos);
      }
    }
    if (std::string(format) == "svg") {
      const std::string svg = ReadWhole(folder.path() / "out" / "tag-2.svg");
      EXPECT_NE(svg.find(">Stainless bottle 750ml, blue, lot 2021-07 &amp; co</text>"),
                std::string::npos)
          << svg;
    }
  }
}

TEST(QrbatchCaption, CaptionsFromTheNameOrTheContent) {
  for (const char *source : {"name", "content"}) {
    SCOPED_TRACE(source);
    TempFolder folder;
    WriteWhole(folder.path() / "in.txt", "名字\tcontent\n");
    const QrbatchRun run =
        RunQrbatch({"-o", (folder.path() / "out").string(), "--format", "svg", "--caption", source},
                   folder.path() / "in.txt", folder.path());
    ASSERT_EQ(run.status, 0) << run.err;
    const std::string svg = ReadWhole(folder.path() / "out" / "名字.svg");
    EXPECT_NE(svg.find(std::string(">") + (source[0] == 'n' ? "名字" : "content") + "</text>"),
              std::string::npos)
        << svg;
  }
}

TEST(QrbatchCaption, WhatCannotFitFailsItsLineWithTheReason) {
  TempFolder folder;
  // 200 x 200 keeps 30 rows for the caption: version 1 (168 px) fits above
  // it, version 2 (200 px) does not.
  WriteWhole(folder.path() / "in.txt", "long\tA\t" + std::string(120, 'W') +
                                           "\nbig\tABCDEFGHIJKLMNOPQRSTUVWXYZ\tcap\nok\tA\tcap\n");
  const QrbatchRun run =
      RunQrbatch({"-o", (folder.path() / "out").string(), "--format", "png", "--caption", "column"},
                 folder.path() / "in.txt", folder.path());
  EXPECT_EQ(run.status, 1);
  EXPECT_NE(run.err.find("line 1: caption does not fit under the code, even wrapped at the "
                         "smallest size"),
            std::string::npos)
      << run.err;
  const std::string needed = std::to_string(batch::SmallestCaptionedHeight(200));
  EXPECT_NE(run.err.find("line 2: symbol needs 200x200 px, image is 200x200; use --size 200x" +
                         needed + " or larger"),
            std::string::npos)
      << run.err;
  const auto files = FilesUnder(folder.path() / "out");
  ASSERT_EQ(files.size(), 1u);
  EXPECT_EQ(files.begin()->first, "ok.png");
}

}  // namespace
}  // namespace qrtest
