// qrbatch's print geometry end to end: the module size it chooses, the
// quiet zone measured in the written files, the resolution the files
// state (read back by other programs), and the lines it refuses or warns
// about.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>

#include "qrbatch_runner.h"

namespace qrtest {
namespace {

const char kShopLine[] = "P000001\thttps://shop.example.com/product?id=000001&ref=qr";
const char kShopUrl[] = "https://shop.example.com/product?id=000001&ref=qr";

// Standard output of a shell command.
std::string OutputOf(const std::string &command) {
  std::string output;
  if (FILE *pipe = popen(command.c_str(), "r")) {
    char buffer[4096];
    size_t got;
    while ((got = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) output.append(buffer, got);
    pclose(pipe);
  }
  return output;
}

std::string Quoted(const fs::path &path) { return "'" + path.string() + "'"; }

// The dark pixels' bounding box and the light margin around it.
struct InkBox {
  int left = -1, top = -1, right = -1, bottom = -1;  // inclusive; -1: no ink
  int Margin(int width, int height) const {
    return std::min({left, top, width - 1 - right, height - 1 - bottom});
  }
  int Extent() const { return right - left + 1; }
};

InkBox InkOf(const fs::path &file, int &width, int &height) {
  std::vector<uint8_t> grey;
  InkBox box;
  if (!ReadImageGrey(file, grey, width, height)) return box;
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      if (grey[static_cast<size_t>(y) * width + x] >= 128) continue;
      if (box.left < 0 || x < box.left) box.left = x;
      if (box.top < 0) box.top = y;
      if (x > box.right) box.right = x;
      box.bottom = y;
    }
  return box;
}

class QrbatchPrint : public ::testing::Test {
 protected:
  QrbatchRun Run(std::vector<std::string> args, const std::string &lines,
                 const std::string &folder = "out") {
    WriteWhole(temp_.path() / "lines.txt", lines);
    args.insert(args.begin(), {"-o", (temp_.path() / folder).string()});
    return RunQrbatch(args, temp_.path() / "lines.txt", temp_.path());
  }
  fs::path Out(const std::string &file, const std::string &folder = "out") const {
    return temp_.path() / folder / file;
  }

  TempFolder temp_;
};

TEST_F(QrbatchPrint, AutomaticModuleFitsTheShopLinkWithItsQuietZoneAndReadsBack) {
  // Version 3, 29 modules: 8 px modules need 232 px; with 4 modules of
  // quiet zone on each side the largest whole module in 200 is 5 px.
  for (const std::string format : {"png", "bmp", "svg"}) {
    SCOPED_TRACE(format);
    const QrbatchRun run =
        Run({"--module", "auto", "--format", format}, std::string(kShopLine) + "\n", format);
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.err, "");  // the margin is the standard's: no warning
    const fs::path file = Out("P000001." + format, format);
    int width = 0, height = 0;
    const InkBox ink = InkOf(file, width, height);
    EXPECT_EQ(width, 200);
    EXPECT_EQ(height, 200);
    EXPECT_EQ(ink.Extent(), 29 * 5);
    EXPECT_GE(ink.Margin(width, height), 4 * 5);
    const Decoded decoded = DecodeImageFile(file);
    EXPECT_TRUE(decoded.ok);
    EXPECT_EQ(decoded.bytes, kShopUrl);
    if (format == "svg") continue;
    // Other readers take the file as it is: its quiet zone is its own.
    EXPECT_EQ(OutputOf("zbarimg --raw -q " + Quoted(file)), std::string(kShopUrl) + "\n");
    EXPECT_NE(
        OutputOf("ZXingReader " + Quoted(file)).find(std::string("Text:       \"") + kShopUrl),
        std::string::npos);
  }
}

TEST_F(QrbatchPrint, TheQuietZoneMeasuredIsAtLeastTheOneAsked) {
  struct Case {
    std::vector<std::string> args;
    int module, quietZone;
  };
  const Case cases[] = {
      {{"--module", "3px", "--quiet-zone", "10"}, 3, 10},
      {{"--module", "auto", "--quiet-zone", "8"}, 4, 8},  // 45 modules in 200
      {{"--module", "auto", "--quiet-zone", "0", "--size", "180x300"}, 6, 0},
      {{"--module", "6px", "--quiet-zone", "4", "--size", "223x222"}, 6, 4},  // just fits
  };
  int folder = 0;
  for (const Case &c : cases) {
    SCOPED_TRACE(::testing::PrintToString(c.args));
    std::vector<std::string> args = c.args;
    args.insert(args.end(), {"--format", "png"});
    const std::string name = "q" + std::to_string(++folder);
    const QrbatchRun run = Run(args, std::string(kShopLine) + "\n", name);
    ASSERT_EQ(run.status, 0) << run.err;
    int width = 0, height = 0;
    const InkBox ink = InkOf(Out("P000001.png", name), width, height);
    EXPECT_EQ(ink.Extent(), 29 * c.module);
    EXPECT_GE(ink.Margin(width, height), c.quietZone * c.module);
    EXPECT_EQ(DecodeImageFile(Out("P000001.png", name)).bytes, kShopUrl);
  }
}

TEST_F(QrbatchPrint, TheFilesStateTheResolutionAndKeepTheirPixels) {
  // 20 mm at 300 dpi: 236 px; modules of 0.5 mm: 6 px.
  const std::vector<std::string> print{"--size", "20mm", "--dpi", "300", "--module", "0.5mm"};
  for (const std::string format : {"png", "bmp", "svg"}) {
    SCOPED_TRACE(format);
    std::vector<std::string> args = print;
    args.insert(args.end(), {"--format", format});
    ASSERT_EQ(Run(args, std::string(kShopLine) + "\n", format).status, 0);
    ASSERT_EQ(Run({"--size", "236", "--module", "6px", "--format", format},
                  std::string(kShopLine) + "\n", format + "-px")
                  .status,
              0);
    const fs::path file = Out("P000001." + format, format);
    const std::string bytes = ReadWhole(file);
    if (format == "png") {
      const std::string dpi = OutputOf(
          "/usr/bin/python3 -c 'import struct,sys\n"
          "d=open(sys.argv[1],\"rb\").read(); i=d.index(b\"pHYs\")\n"
          "x,y,u=struct.unpack(\">IIB\",d[i+4:i+13]); print(round(x*0.0254),round(y*0.0254),u)' " +
          Quoted(file));
      EXPECT_EQ(dpi, "300 300 1\n");
      EXPECT_EQ(ReadWhole(Out("P000001.png", "png-px")).find("pHYs"), std::string::npos);
    } else if (format == "bmp") {
      ASSERT_GT(bytes.size(), 46u);
      auto at = [&](size_t i) {
        return static_cast<uint32_t>(static_cast<uint8_t>(bytes[i])) |
               static_cast<uint32_t>(static_cast<uint8_t>(bytes[i + 1])) << 8 |
               static_cast<uint32_t>(static_cast<uint8_t>(bytes[i + 2])) << 16 |
               static_cast<uint32_t>(static_cast<uint8_t>(bytes[i + 3])) << 24;
      };
      EXPECT_EQ(at(38), 11811u);  // 300 dpi in pixels per metre
      EXPECT_EQ(at(42), 11811u);
    } else {
      EXPECT_NE(bytes.find("width=\"19.981mm\" height=\"19.981mm\" viewBox=\"0 0 236 236\""),
                std::string::npos)
          << bytes.substr(0, 200);
    }
    // The resolution changes no pixel (an SVG's: the same drawing in its
    // view box).
    if (format == "svg") {
      const std::string plainSvg = ReadWhole(Out("P000001.svg", "svg-px"));
      EXPECT_EQ(bytes.substr(bytes.find("viewBox")), plainSvg.substr(plainSvg.find("viewBox")));
      continue;
    }
    std::vector<uint8_t> stated, plain;
    int w = 0, h = 0;
    ASSERT_TRUE(ReadImageGrey(file, stated, w, h));
    EXPECT_EQ(w, 236);
    ASSERT_TRUE(ReadImageGrey(Out("P000001." + format, format + "-px"), plain, w, h));
    EXPECT_TRUE(stated == plain);
  }
}

TEST_F(QrbatchPrint, RefusalsNameTheWayOut) {
  struct Case {
    std::vector<std::string> args;
    std::string line;
    std::string report;
  };
  const Case cases[] = {
      {{},
       kShopLine,
       "line 1: symbol needs 232x232 px, image is 200x200; use --size 232 or larger, or --module "
       "auto: P000001"},
      // Version 1 fits at 8 px (168), but not with the 4 modules asked.
      {{"--quiet-zone", "4"},
       "20210706001",
       "line 1: symbol needs 232x232 px, image is 200x200; use --size 232 or larger, or --module "
       "auto: 2021"},
      {{"--module", "auto", "--quiet-zone", "4", "--size", "30"},
       kShopLine,
       "line 1: symbol and quiet zone need 37x37 px at 1 px a module, image is 30x30; use --size "
       "37 or larger: P000001"},
  };
  int folder = 0;
  for (const Case &c : cases) {
    SCOPED_TRACE(c.report);
    const std::string name = "r" + std::to_string(++folder);
    const QrbatchRun run = Run(c.args, c.line + "\n", name);
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find(c.report), std::string::npos) << run.err;
    EXPECT_TRUE(FilesUnder(temp_.path() / name).empty());
  }
}

TEST_F(QrbatchPrint, ANarrowMarginIsWrittenWithAWarning) {
  // The recipe's 8 px modules leave 16 px (2 modules) of 200 around version
  // 1: written, and reported once print geometry is asked for.
  const QrbatchRun run =
      Run({"--dpi", "96", "--format", "png"}, "20210706001\nwide\t" + std::string(kShopUrl) + "\n");
  EXPECT_EQ(run.status, 1) << run.err;  // the link does not fit at 8 px
  EXPECT_NE(run.err.find("qrbatch: line 1: warning: quiet zone of 2 modules (8 px each), below 4: "
                         "20210706001\n"),
            std::string::npos)
      << run.err;
  EXPECT_NE(run.err.find("line 2: symbol needs 232x232 px"), std::string::npos) << run.err;
  EXPECT_NE(run.err.find("quiet zone below 4 modules in 1 written images"), std::string::npos);
  EXPECT_NE(run.err.find("1 of 2 lines produced no file"), std::string::npos);
  EXPECT_EQ(DecodeImageFile(Out("20210706001.png")).bytes, "20210706001");

  // All written, some with a warning: the batch succeeds.
  EXPECT_EQ(Run({"--module", "auto", "--size", "30"}, std::string(kShopLine) + "\n", "w").status,
            0);
}

}  // namespace
}  // namespace qrtest
