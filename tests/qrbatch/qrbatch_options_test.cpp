#include <gtest/gtest.h>

#include "options.h"

namespace qrbatch {
namespace {

using Args = std::vector<std::string>;

Options Parsed(const Args &args) {
  Options options;
  std::string error;
  EXPECT_TRUE(ParseOptions(args, options, error)) << error;
  return options;
}

std::string ErrorOf(const Args &args) {
  Options options;
  std::string error;
  EXPECT_FALSE(ParseOptions(args, options, error));
  return error;
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
