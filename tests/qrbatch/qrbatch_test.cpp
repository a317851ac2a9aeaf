// qrbatch end to end: the real program and engine, files read back with a
// real decoder.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>

#include "bmp_image.h"
#include "gbk_text.h"
#include "qr_decoder.h"
#include "temp_folder.h"

namespace {

namespace fs = std::filesystem;

struct Outcome {
  int status = -1;
  std::string err;
  std::string out;
};

std::string ReadWhole(const fs::path &path) {
  std::ifstream file(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(file), {});
}

void WriteWhole(const fs::path &path, const std::string &bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

std::string Quoted(const std::string &text) {
  std::string quoted = "'";
  for (char c : text) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return quoted + "'";
}

class QrbatchTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const std::string made = qrtest::MakeTempFolder("qrbatch_test_");
    ASSERT_FALSE(made.empty());
    root = made;
    out = root / "out";
  }
  void TearDown() override { fs::remove_all(root); }

  // Runs qrbatch with `input` on standard input.
  Outcome Qrbatch(const std::vector<std::string> &args, const std::string &input = "") {
    WriteWhole(root / "stdin", input);
    std::string command = QRBATCH_PATH;
    for (const std::string &arg : args) command += " " + Quoted(arg);
    command += " <" + Quoted((root / "stdin").string()) + " >" +
               Quoted((root / "stdout").string()) + " 2>" + Quoted((root / "stderr").string());
    Outcome run;
    const int raw = std::system(command.c_str());
    run.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    run.err = ReadWhole(root / "stderr");
    run.out = ReadWhole(root / "stdout");
    return run;
  }

  std::set<std::string> NamesIn(const fs::path &folder) {
    std::set<std::string> names;
    for (const auto &entry : fs::directory_iterator(folder))
      names.insert(entry.path().filename().string());
    return names;
  }

  void ExpectImageOf(const fs::path &file, const std::string &message, int width, int height,
                     const std::string &level = "L") {
    qrtest::GreyImage image;
    ASSERT_TRUE(qrtest::ReadBmp(ReadWhole(file), image)) << file;
    EXPECT_EQ(image.width, width);
    EXPECT_EQ(image.height, height);
    EXPECT_EQ(image.bitsPerPixel, 1);
    // The symbol has no quiet zone of its own: give it one.
    const int margin = 40, w = width + 2 * margin, h = height + 2 * margin;
    std::vector<uint8_t> padded(static_cast<size_t>(w) * h, 255);
    for (int y = 0; y < height; ++y) {
      std::copy_n(&image.pixels[static_cast<size_t>(y) * width], width,
                  &padded[static_cast<size_t>(y + margin) * w + margin]);
    }
    const qrtest::Decoded decoded = qrtest::DecodeGrey(padded, w, h);
    ASSERT_TRUE(decoded.ok) << file;
    EXPECT_EQ(decoded.bytes, message);
    EXPECT_EQ(decoded.ecLevel, level);
  }

  fs::path root, out;
};

TEST_F(QrbatchTest, LinesBecomeDecodableBitmapsNamedAfterThem) {
  // A GBK list: names and content are its text, the content in UTF-8.
  const std::string chinese = "测试数据";
  const Outcome run =
      Qrbatch({"-o", out.string()}, qrtext::ToGbk(chinese) + "\r\n20210706001\r\n20210706002\r\n");
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.err, "");
  EXPECT_EQ(NamesIn(out),
            (std::set<std::string>{chinese + ".jpg", "20210706001.jpg", "20210706002.jpg"}));
  ExpectImageOf(out / (chinese + ".jpg"), chinese, 200, 200);
  ExpectImageOf(out / "20210706001.jpg", "20210706001", 200, 200);
  EXPECT_EQ(ReadWhole(out / "20210706002.jpg").substr(0, 2), "BM");
}

TEST_F(QrbatchTest, SizeLevelAndVersionReachTheImages) {
  WriteWhole(root / "lines.txt", "Hello, World\n a b \n");
  const Outcome run = Qrbatch({"-o", out.string(), "-l", "H", "--size", "400x300", "--qr-version",
                               "2", (root / "lines.txt").string()});
  EXPECT_EQ(run.status, 0) << run.err;
  ExpectImageOf(out / "Hello, World.jpg", "Hello, World", 400, 300, "H");
  ExpectImageOf(out / " a b .jpg", " a b ", 400, 300, "H");
}

TEST_F(QrbatchTest, EmptyLineGivesTheExtensionOnlyFile) {
  const Outcome run = Qrbatch({"-o", out.string()}, "a\n\nb\n");
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(NamesIn(out), (std::set<std::string>{"a.jpg", ".jpg", "b.jpg"}));
  ExpectImageOf(out / ".jpg", "", 200, 200);
}

TEST_F(QrbatchTest, FailedLinesAreListedAndTheRestIsWritten) {
  fs::create_directories(out / "sub");
  const std::string input =
      "good\n../x\nCON.txt\na:b\n" + std::string(3000, 'x') + "\nnosuch/y\nsub\\z\n/abs\n";
  const Outcome run = Qrbatch({"-o", out.string()}, input);
  EXPECT_EQ(run.status, 1);
  EXPECT_NE(run.err.find("line 2: name leads outside the destination folder: ../x"),
            std::string::npos)
      << run.err;
  EXPECT_NE(run.err.find("line 3: not a valid file name: CON.txt"), std::string::npos);
  EXPECT_NE(run.err.find("line 4: not a valid file name: a:b"), std::string::npos);
  EXPECT_NE(run.err.find("line 5: too long for version 40 at this level"), std::string::npos);
  EXPECT_NE(run.err.find("line 6: could not be written (No such file or directory): nosuch/y"),
            std::string::npos);
  EXPECT_NE(run.err.find("line 8: name leads outside"), std::string::npos);
  EXPECT_EQ(run.err.find("line 1:"), std::string::npos);
  EXPECT_EQ(run.err.find("line 7:"), std::string::npos);
  EXPECT_NE(run.err.find("6 of 8 lines produced no file"), std::string::npos);
  EXPECT_EQ(NamesIn(out), (std::set<std::string>{"good.jpg", "sub"}));
  EXPECT_EQ(NamesIn(out / "sub"), std::set<std::string>{"z.jpg"});
  EXPECT_EQ(NamesIn(root), (std::set<std::string>{"out", "stdin", "stdout", "stderr"}));
  ExpectImageOf(out / "sub" / "z.jpg", "sub\\z", 200, 200);
}

TEST_F(QrbatchTest, StdinAndFileArgumentAreTheSame) {
  WriteWhole(root / "lines.txt", "one\r\ntwo");
  EXPECT_EQ(Qrbatch({"-o", (out / "a").string(), (root / "lines.txt").string()}).status, 0);
  EXPECT_EQ(Qrbatch({"-o", (out / "b").string(), "-"}, "one\ntwo\n").status, 0);
  EXPECT_EQ(NamesIn(out / "a"), NamesIn(out / "b"));
  EXPECT_EQ(ReadWhole(out / "a" / "two.jpg"), ReadWhole(out / "b" / "two.jpg"));
}

TEST_F(QrbatchTest, CommandLineErrorsAndInformation) {
  EXPECT_EQ(Qrbatch({}).status, 2);
  const Outcome bad = Qrbatch({"-o", out.string(), "-l", "Z"});
  EXPECT_EQ(bad.status, 2);
  EXPECT_NE(bad.err.find("Usage:"), std::string::npos);
  EXPECT_EQ(Qrbatch({"-o", out.string(), (root / "missing.txt").string()}).status, 2);
  const Outcome help = Qrbatch({"--help"});
  EXPECT_EQ(help.status, 0);
  EXPECT_NE(help.out.find("Usage: qrbatch -o DIR"), std::string::npos);
  EXPECT_EQ(Qrbatch({"--version"}).out, "qrbatch 2.0\n");
}

TEST_F(QrbatchTest, EmptyInputWritesNothingAndSucceeds) {
  const Outcome run = Qrbatch({"-o", out.string()}, "");
  EXPECT_EQ(run.status, 0);
  EXPECT_TRUE(NamesIn(out).empty());
}

}  // namespace
