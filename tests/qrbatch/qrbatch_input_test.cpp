// qrbatch's input: every byte of a line is encoded, any line end of a text
// file ends a line, and no input (a huge line, a closed standard input)
// ends or stalls the batch.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <set>
#include <thread>

#include "qrbatch_runner.h"

namespace qrtest {
namespace {

TEST(QrbatchInput, BytesAfterAZeroByteAreEncodedToo) {
  TempFolder temp;
  WriteWhole(temp.path() / "lines.txt", std::string("a\tabc\0SECRET\nb\tabc\n", 19));
  const fs::path out = temp.path() / "out";
  const QrbatchRun run =
      RunQrbatch({"-o", out.string(), "--format", "png"}, temp.path() / "lines.txt", temp.path());
  EXPECT_EQ(run.status, 0) << run.err;
  const Decoded a = DecodeImageFile(out / "a.png");
  ASSERT_TRUE(a.ok);
  EXPECT_EQ(a.bytes, std::string("abc\0SECRET", 10));
  EXPECT_EQ(DecodeImageFile(out / "b.png").bytes, "abc");
  EXPECT_NE(ReadWhole(out / "a.png"), ReadWhole(out / "b.png"));
}

TEST(QrbatchInput, LoneCrEndsALineAsLfAndCrLfDo) {
  TempFolder temp;
  WriteWhole(temp.path() / "lines.txt", "mac-1\rmac-2\r\rdos\r\nunix\nlast");
  const fs::path out = temp.path() / "out";
  const QrbatchRun run =
      RunQrbatch({"-o", out.string(), "--format", "png"}, temp.path() / "lines.txt", temp.path());
  EXPECT_EQ(run.status, 0) << run.err;
  std::set<std::string> names;
  for (const auto &file : FilesUnder(out)) names.insert(file.first);
  EXPECT_EQ(names, (std::set<std::string>{"mac-1.png", "mac-2.png", ".png", "dos.png", "unix.png",
                                          "last.png"}));
  EXPECT_EQ(DecodeImageFile(out / "mac-2.png").bytes, "mac-2");
}

#if defined(__SANITIZE_ADDRESS__)
#define QR_UNDER_ASAN 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define QR_UNDER_ASAN 1
#endif
#endif

TEST(QrbatchInput, AHugeLineIsReportedWithoutEndingTheBatch) {
#ifdef QR_UNDER_ASAN
  GTEST_SKIP() << "AddressSanitizer reserves more address space than the limit allows";
#endif
  TempFolder temp;
  const fs::path out = temp.path() / "out", err = temp.path() / "err";
  // A 100 MB line between two ordinary ones, through a pipe, with the
  // address space limited to 600 MB: no line may be held whole.
  const std::string command =
      "{ printf 'before\\n'; head -c 100000000 /dev/zero | tr '\\0' x; printf '\\nafter\\n'; } | "
      "(ulimit -v 600000 && exec '" QRBATCH_PATH "' -o '" +
      out.string() + "' --format png -j 2) 2>'" + err.string() + "'";
  const int raw = std::system(("bash -c \"" + command + "\"").c_str());
  ASSERT_TRUE(WIFEXITED(raw)) << raw;
  EXPECT_EQ(WEXITSTATUS(raw), 1) << ReadWhole(err);
  EXPECT_EQ(DecodeImageFile(out / "before.png").bytes, "before");
  EXPECT_EQ(DecodeImageFile(out / "after.png").bytes, "after");
  const std::string report = ReadWhole(err);
  EXPECT_NE(report.find("line 2: too long for version 40 at this level: xxxx"), std::string::npos)
      << report.substr(0, 400);
  EXPECT_NE(report.find("1 of 3 lines produced no file"), std::string::npos) << report;
  EXPECT_LT(report.size(), 600u);
}

TEST(QrbatchInput, MemoryRunningOutForAnImageFailsItsLineOnly) {
#ifdef QR_UNDER_ASAN
  GTEST_SKIP() << "AddressSanitizer reserves more address space than the limit allows";
#endif
  TempFolder temp;
  const fs::path out = temp.path() / "out", err = temp.path() / "err";
  // 30000 x 30000 PNG images cannot be drawn in 300 MB of address space.
  for (const char *jobs : {"1", "2"}) {
    const std::string command =
        "printf 'a\\nb\\n' | (ulimit -v 300000 && exec '" QRBATCH_PATH "' -o '" + out.string() +
        "' --size 30000 --format png -j " + jobs + ") 2>'" + err.string() + "'";
    const int raw = std::system(("bash -c \"" + command + "\"").c_str());
    ASSERT_TRUE(WIFEXITED(raw)) << raw;
    EXPECT_EQ(WEXITSTATUS(raw), 1) << ReadWhole(err);
    const std::string report = ReadWhole(err);
    // The raster may be refused first ("the image is too large") or the
    // PNG buffer may fail ("Cannot allocate memory"): either way per line.
    EXPECT_NE(report.find("line 1: could not be written ("), std::string::npos) << report;
    EXPECT_NE(report.find("line 2: could not be written ("), std::string::npos) << report;
    EXPECT_NE(report.find("2 of 2 lines produced no file"), std::string::npos) << report;
  }
}

TEST(QrbatchInput, AClosedStandardInputIsEmptyInput) {
  TempFolder temp;
  const int err = open((temp.path() / "err").c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0644);
  ASSERT_GE(err, 0);
  const pid_t pid = StartQrbatch({"-o", (temp.path() / "out").string()}, -1, err, err);
  ASSERT_GT(pid, 0);
  close(err);
  // Ends by itself, or is ended after a generous wait and fails.
  int raw = 0;
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
  pid_t done = 0;
  while ((done = waitpid(pid, &raw, WNOHANG)) == 0 && std::chrono::steady_clock::now() < deadline)
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  if (done == 0) {
    kill(pid, SIGKILL);
    waitpid(pid, &raw, 0);
    FAIL() << "qrbatch still waited for input 20 s after its start";
  }
  ASSERT_TRUE(WIFEXITED(raw));
  EXPECT_EQ(WEXITSTATUS(raw), 0) << ReadWhole(temp.path() / "err");
  EXPECT_TRUE(FilesUnder(temp.path() / "out").empty());
}

}  // namespace
}  // namespace qrtest
