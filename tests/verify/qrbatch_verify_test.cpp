// qrbatch --verify in process: every line is written and decodes. The
// image writer with files damaged on purpose between drawing and
// verifying: a damaged image is refused with the reason and leaves no file
// (nor a temporary). Without verification the same damage reaches the
// disk, which shows the damage is real.
#include <gtest/gtest.h>

#include <cstdio>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "batch_command.h"
#include "batch_settings.h"
#include "batch_symbol.h"
#include "image_writer.h"
#include "qrbatch_runner.h"

namespace qrtest {
namespace {

// Inverts a block in the middle of the image of every file whose name
// starts with "bad-": in a bitmap file the rows, in a PNG file a byte of the
// compressed data (its checksum then fails).
void DamageBadFiles(const std::string &path, std::vector<uint8_t> &file) {
  if (fs::path(path).filename().string().rfind("bad-", 0) != 0) return;
  if (file.size() > 8 && file[1] == 'P') {  // \x89PNG
    file[file.size() / 2] ^= 0x55;
    return;
  }
  const uint32_t offset = file[10] | (file[11] << 8);
  const size_t stride = 28;  // 200 px at 1 bit, in whole words
  for (size_t row = 70; row < 130; ++row)
    for (size_t byte = 9; byte < 17; ++byte) file[offset + row * stride + byte] ^= 0xFF;
}

struct BatchRun {
  int status;
  std::string err;
};

BatchRun RunInProcess(const std::vector<std::string> &args, const fs::path &input) {
  std::FILE *in = std::fopen(input.c_str(), "rb");
  std::FILE *out = std::tmpfile();
  std::FILE *err = std::tmpfile();
  BatchRun run{qrbatch::RunCommand(args, in, out, err), ""};
  std::rewind(err);
  char buffer[4096];
  size_t got;
  while ((got = std::fread(buffer, 1, sizeof buffer, err)) > 0) run.err.append(buffer, got);
  std::fclose(in);
  std::fclose(out);
  std::fclose(err);
  return run;
}

const std::vector<std::pair<std::string, std::string>> kLines = {
    {"good-1", "20210706001"},
    {"bad-1", "https://example.com/p?id=4201"},
    {"good-2", "https://example.com/p?id=42&r=b"},
    {"产品", "产品 1 号"},  // UTF-8 under ECI 26: the ECI is no part of the bytes read back
    {"bad-2", "Stainless bottle 750ml, blue"},
    {"good-3", std::string("zero\0byte", 9)},
};

// Lines of at most 32 bytes: version 2 at most, which fits 200 x 200.
class QrbatchVerify : public ::testing::TestWithParam<std::string> {
 protected:
  void SetUp() override {
    std::string input;
    for (const auto &[name, content] : kLines) input += name + "\t" + content + "\n";
    WriteWhole(temp_.path() / "lines.txt", input);
  }
  std::string Extension() const { return GetParam().empty() ? ".jpg" : "." + GetParam(); }
  BatchRun Batch(const fs::path &out, bool verify, const char *jobs) {
    std::vector<std::string> args{"-o", out.string(), "-j", jobs};
    if (!GetParam().empty()) args.insert(args.end(), {"--format", GetParam()});
    if (verify) args.push_back("--verify");
    return RunInProcess(args, temp_.path() / "lines.txt");
  }

  TempFolder temp_;
};

TEST_P(QrbatchVerify, EveryImageReadsBackAndTheBatchPasses) {
  for (const char *jobs : {"1", "2"}) {
    const fs::path out = temp_.path() / (std::string("out") + jobs);
    const BatchRun run = Batch(out, true, jobs);
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.err, "");
    ASSERT_EQ(FilesUnder(out).size(), kLines.size());
    for (const auto &[name, content] : kLines) {
      const Decoded decoded = DecodeImageFile(out / (name + Extension()));
      EXPECT_TRUE(decoded.ok) << name;
      EXPECT_EQ(decoded.bytes, content) << name;
    }
  }
}

TEST_P(QrbatchVerify, ADamagedImageIsRefusedAndLeavesNoFile) {
  const std::map<std::string, qrimage::ImageFormat> formats = {
      {"", qrimage::ImageFormat::kWindowJpg},
      {"bmp", qrimage::ImageFormat::kBmp},
      {"png", qrimage::ImageFormat::kPng},
      {"svg", qrimage::ImageFormat::kSvg}};
  const qrimage::ImageFormat format = formats.at(GetParam());
  const batch::BatchRecipe recipe;
  const fs::path out = temp_.path() / "out";
  fs::create_directories(out);
  for (const bool verify : {true, false}) {
    qrimage::ImageWriter writer(batch::FrameOf(recipe), format, batch::RecipeModulePixels(recipe),
                                verify, 0, DamageBadFiles);
    for (const auto &[name, content] : kLines) {
      SCOPED_TRACE(name + (verify ? " verified" : " unverified"));
      const fs::path path = out / (name + (verify ? "" : "-unchecked") + Extension());
      const qr::SymbolPlan plan = batch::PlanContent(content, 0, batch::SymbolSettingsOf(recipe));
      qrplatform::PendingFile file;
      const bool bad = name.rfind("bad-", 0) == 0;
      const qrimage::ImageResult written = writer.Write(content, plan, path.string(), file);
      const std::string &reason = written.reason;
      std::vector<qrplatform::PendingFile> files;
      files.push_back(std::move(file));
      qrplatform::PublishFiles(files, [](size_t, bool) {});
      if (verify && bad) {
        EXPECT_EQ(written.failure, qrimage::ImageFailure::kVerifyFailed);
        const std::string why = GetParam() == "png" ? "the PNG file is damaged"
                                                    : "the QR Code has more damaged modules";
        EXPECT_NE(reason.find(why), std::string::npos) << reason;
        EXPECT_FALSE(fs::exists(path));
        continue;
      }
      ASSERT_TRUE(written) << reason;
      // The SVG's own picture is never damaged (its read-back bitmap is).
      if (!bad || GetParam() == "svg") continue;
      const Decoded decoded = DecodeImageFile(path);
      EXPECT_FALSE(decoded.ok && decoded.bytes == content);
    }
  }
  // Only the good lines' files and the unchecked ones: no damaged file
  // that was verified, no temporary.
  std::set<std::string> names, expected;
  for (const auto &file : FilesUnder(out)) names.insert(file.first);
  for (const auto &[name, content] : kLines) {
    if (name.rfind("bad-", 0) != 0) expected.insert(name + Extension());
    expected.insert(name + "-unchecked" + Extension());
  }
  EXPECT_EQ(names, expected);
}

INSTANTIATE_TEST_SUITE_P(EveryFormat, QrbatchVerify, ::testing::Values("", "bmp", "png", "svg"),
                         [](const auto &info) {
                           return info.param.empty() ? std::string("window") : info.param;
                         });

}  // namespace
}  // namespace qrtest
