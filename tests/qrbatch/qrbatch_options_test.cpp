#include <gtest/gtest.h>

#include "options.h"

namespace qrbatch {
namespace {

using Args = std::vector<std::string>;

Options Parsed(const Args &args) {
  const ParsedOptions parsed = ParseOptions(args);
  EXPECT_TRUE(parsed.ok()) << parsed.error;
  return parsed.options;
}

std::string ErrorOf(const Args &args) {
  const ParsedOptions parsed = ParseOptions(args);
  EXPECT_FALSE(parsed.ok());
  return parsed.error;
}

TEST(QrbatchOptions, DefaultsAreTheWindowsDefaults) {
  const Options options = Parsed({"-o", "out"});
  EXPECT_EQ(options.outputFolder, "out");
  EXPECT_EQ(options.inputFile, "");
  EXPECT_EQ(options.recipe.version, 0);
  EXPECT_EQ(options.recipe.level, 0);
  EXPECT_EQ(options.recipe.width, 200);
  EXPECT_EQ(options.recipe.height, 200);
}

TEST(QrbatchOptions, AllOptions) {
  const Options options =
      Parsed({"lines.txt", "-l", "q", "--qr-version", "40", "--size", "300x100", "-o", "d"});
  EXPECT_EQ(options.inputFile, "lines.txt");
  EXPECT_EQ(options.recipe.level, 2);
  EXPECT_EQ(options.recipe.version, 40);
  EXPECT_EQ(options.recipe.width, 300);
  EXPECT_EQ(options.recipe.height, 100);
  EXPECT_EQ(Parsed({"-o", "d", "--size", "250"}).recipe.height, 250);
  EXPECT_EQ(Parsed({"-o", "d", "--qr-version", "auto", "-l", "H"}).recipe.level, 3);
  EXPECT_TRUE(Parsed({"--help"}).help);
  EXPECT_TRUE(Parsed({"--version"}).version);
}

TEST(QrbatchOptions, PrintGeometryInPixelsAndMillimetres) {
  struct Case {
    Args args;
    int width, height, modulePixels;
    bool autoModule;
    int quietZone, dpi;
    bool warn;
  };
  const Case cases[] = {
      {{}, 200, 200, 0, false, -1, 0, false},  // the window's recipe, nothing checked
      {{"--module", "auto"}, 200, 200, 0, true, -1, 0, true},
      {{"--module", "6px", "--quiet-zone", "4"}, 200, 200, 6, false, 4, 0, true},
      {{"--dpi", "300"}, 200, 200, 0, false, -1, 300, true},
      // 20 mm at 300 dpi: 236.2 px; 0.5 mm: 5.9 px. The resolution may come last.
      {{"--size", "20mm", "--module", "0.5mm", "--dpi", "300"}, 236, 236, 6, false, -1, 300, true},
      {{"--dpi", "600", "--size", "20x30mm"}, 472, 709, 0, false, -1, 600, true},
      {{"--dpi", "600", "--size", "20mmx30mm"}, 472, 709, 0, false, -1, 600, true},
      // A later --size or --module replaces an earlier one.
      {{"--size", "20mm", "--size", "99", "--module", "auto", "--module", "3px"},
       99,
       99,
       3,
       false,
       -1,
       0,
       true},
  };
  for (const Case &c : cases) {
    Args args{"-o", "d"};
    args.insert(args.end(), c.args.begin(), c.args.end());
    const Options options = Parsed(args);
    SCOPED_TRACE(::testing::PrintToString(c.args));
    EXPECT_EQ(options.recipe.width, c.width);
    EXPECT_EQ(options.recipe.height, c.height);
    EXPECT_EQ(options.recipe.modulePixels, c.modulePixels);
    EXPECT_EQ(options.recipe.autoModule, c.autoModule);
    EXPECT_EQ(options.recipe.quietZone, c.quietZone);
    EXPECT_EQ(options.recipe.dotsPerInch, c.dpi);
    EXPECT_EQ(options.recipe.warnQuietZone, c.warn);
  }
}

TEST(QrbatchOptions, UnusablePrintGeometry) {
  EXPECT_NE(ErrorOf({"-o", "d", "--size", "20mm"}).find("need --dpi"), std::string::npos);
  EXPECT_NE(ErrorOf({"-o", "d", "--module", "0.3mm"}).find("need --dpi"), std::string::npos);
  for (const char *module : {"0px", "px", "8", "-1px", "1.5px", "0mm", ".5mm", "1..2mm", "big"})
    EXPECT_FALSE(ErrorOf({"-o", "d", "--module", module}).empty()) << module;
  for (const char *zone : {"-1", "1001", "x"})
    EXPECT_FALSE(ErrorOf({"-o", "d", "--quiet-zone", zone}).empty()) << zone;
  for (const char *dpi : {"0", "100001", "300dpi"})
    EXPECT_FALSE(ErrorOf({"-o", "d", "--dpi", dpi}).empty()) << dpi;
  // Millimetres giving no pixel, or more than a bitmap side holds.
  EXPECT_FALSE(ErrorOf({"-o", "d", "--dpi", "1", "--size", "10mm"}).empty());
  EXPECT_FALSE(ErrorOf({"-o", "d", "--dpi", "100000", "--size", "100mm"}).empty());
  EXPECT_FALSE(ErrorOf({"-o", "d", "--dpi", "1", "--module", "10mm"}).empty());
}

TEST(QrbatchOptions, UnusableCommandLines) {
  EXPECT_NE(ErrorOf({}).find("-o"), std::string::npos);
  EXPECT_NE(ErrorOf({"-o"}).find("needs a value"), std::string::npos);
  EXPECT_FALSE(ErrorOf({"-o", "d", "-l", "X"}).empty());
  EXPECT_FALSE(ErrorOf({"-o", "d", "--qr-version", "41"}).empty());
  EXPECT_FALSE(ErrorOf({"-o", "d", "--qr-version", "0"}).empty());
  EXPECT_FALSE(ErrorOf({"-o", "d", "--size", "0"}).empty());
  EXPECT_FALSE(ErrorOf({"-o", "d", "--size", "20x"}).empty());
  EXPECT_FALSE(ErrorOf({"-o", "d", "--size", "-5"}).empty());
  EXPECT_FALSE(ErrorOf({"-o", "d", "a", "b"}).empty());
  EXPECT_FALSE(ErrorOf({"-o", "d", "--bogus"}).empty());
}

TEST(QrbatchOptions, SmallestLabelModule) {
  const Args pdf = {"-o", "d", "--format", "pdf"};
  const auto with = [&](const char *value) {
    Args args = pdf;
    args.insert(args.end(), {"--min-module", value});
    return args;
  };
  EXPECT_DOUBLE_EQ(Parsed(pdf).smallestLabelModuleMm, 0.25);
  EXPECT_DOUBLE_EQ(Parsed(with("0.3mm")).smallestLabelModuleMm, 0.3);
  EXPECT_DOUBLE_EQ(Parsed(with("0")).smallestLabelModuleMm, 0);
  EXPECT_FALSE(ErrorOf(with("0.3")).empty());
  EXPECT_NE(ErrorOf({"-o", "d", "--min-module", "0.3mm"}).find("--format pdf"), std::string::npos);
}

TEST(QrbatchOptions, FormatsNamesAndWorkers) {
  const Options defaults = Parsed({"-o", "d"});
  EXPECT_EQ(defaults.format, ImageFormat::kWindowJpg);
  EXPECT_STREQ(ExtensionOf(defaults.format), ".jpg");
  EXPECT_EQ(defaults.names, FileNames::kLine);
  EXPECT_EQ(defaults.jobs, 0);
  EXPECT_STREQ(ExtensionOf(Parsed({"-o", "d", "--format", "bmp"}).format), ".bmp");
  EXPECT_STREQ(ExtensionOf(Parsed({"-o", "d", "--format", "png"}).format), ".png");
  EXPECT_STREQ(ExtensionOf(Parsed({"-o", "d", "--format", "svg"}).format), ".svg");
  EXPECT_EQ(Parsed({"-o", "d", "--names", "number"}).names, FileNames::kNumber);
  EXPECT_EQ(Parsed({"-o", "d", "--names", "line"}).names, FileNames::kLine);
  EXPECT_EQ(Parsed({"-o", "d", "-j", "4"}).jobs, 4);
  EXPECT_EQ(Parsed({"-o", "d", "--jobs", "1"}).jobs, 1);
  EXPECT_FALSE(ErrorOf({"-o", "d", "--format", "jpg"}).empty());
  EXPECT_FALSE(ErrorOf({"-o", "d", "--format", "PNG"}).empty());
  EXPECT_FALSE(ErrorOf({"-o", "d", "--names", "numbers"}).empty());
  EXPECT_FALSE(ErrorOf({"-o", "d", "-j", "0"}).empty());
  EXPECT_FALSE(ErrorOf({"-o", "d", "-j"}).empty());
}

TEST(QrbatchOptions, VerifyIsOffUnlessAsked) {
  EXPECT_FALSE(Parsed({"-o", "d"}).verify);
#ifdef QRBATCH_CAN_VERIFY
  EXPECT_TRUE(Parsed({"-o", "d", "--verify", "-j", "2"}).verify);
#else
  EXPECT_EQ(ErrorOf({"-o", "d", "--verify"}),
            "--verify is not available: this build has no QR decoder");
#endif
}

}  // namespace
}  // namespace qrbatch

namespace qrbatch {
namespace {

TEST(QrbatchOptions, ColumnsCsvEscapesAndTheReport) {
  const Options plain = Parsed({"-o", "d"});
  EXPECT_FALSE(plain.csv || plain.header || plain.escapes);
  EXPECT_TRUE(plain.columns.empty() && plain.reportFile.empty());
  const Options numbers = Parsed({"-o", "d", "--csv", "--columns", "3,1", "--escapes", "--names",
                                  "safe", "--report", "r.csv"});
  EXPECT_TRUE(numbers.csv && numbers.escapes);
  EXPECT_FALSE(numbers.header);
  EXPECT_EQ(numbers.columns, (Args{"3", "1"}));
  EXPECT_EQ(numbers.names, FileNames::kSafe);
  EXPECT_EQ(numbers.reportFile, "r.csv");
  // Column names can only be found in a header row.
  const Options named = Parsed({"-o", "d", "--columns", "名称,网址,2"});
  EXPECT_TRUE(named.header);
  EXPECT_EQ(named.columns, (Args{"名称", "网址", "2"}));
  for (const char *bad : {"1", "1,2,3,4", "1,,2", ""}) {
    EXPECT_NE(ErrorOf({"-o", "d", "--columns", bad}).find("columns must be"), std::string::npos)
        << bad;
  }
  EXPECT_NE(ErrorOf({"-o", "d", "--names", "short"}).find("line, number or safe"),
            std::string::npos);
  EXPECT_NE(ErrorOf({"-o", "d", "--report"}).find("needs a value"), std::string::npos);
}

}  // namespace
}  // namespace qrbatch
