// qrbatch as a stream: files appear as lines arrive, any number of workers
// gives the same folder and report, and signals, limits and closed pipes
// end nothing uncleanly.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <cctype>
#include <cstdlib>
#include <set>

#include "qrbatch_runner.h"

namespace qrtest {
namespace {

// Lines of every kind, in a fixed pseudo-random mix.
std::string MixedLines(int count) {
  std::string input;
  uint32_t state = 12345;
  auto next = [&state] { return state = state * 1103515245u + 12345u; };
  for (int i = 1; i <= count; ++i) {
    const size_t lineStart = input.size();
    const uint32_t kind = (next() >> 16) % 12;
    const std::string n = std::to_string(i);
    const std::string shared = std::to_string((next() >> 16) % 300);
    switch (kind) {
      case 0: input += "shared-" + shared + "\tsame"; break;        // equal name, equal content
      case 1: input += "Shared-" + shared + "\tother " + n; break;  // equal name, other content
      case 2: input += "bad*name-" + n; break;
      case 3: input += "big-" + n + "\t" + std::string(120, 'q'); break;  // larger than the image
      case 4: input += "https://example.com/p?id=" + n; break;
      case 5: input += "url-" + n + "\thttps://example.com/p?id=" + n; break;
      default: input += std::to_string(20210706000LL + i); break;
    }
    // Too long (in the content column: a third column is a caption).
    if (i % 997 == 0) {
      input.resize(lineStart);
      input += "long-" + n + "\t" + std::string(4400, 'L');  // past 4,296 alphanumerics
    }
    input += i % 2 ? "\n" : "\r\n";
  }
  return input;
}

TEST(QrbatchStream, AnyNumberOfWorkersGivesTheSameFolderAndReport) {
  TempFolder temp;
  // 3,000 lines: more than the four workers' queues hold, so they fill and drain.
  WriteWhole(temp.path() / "lines.txt", MixedLines(3000));
  const fs::path one = temp.path() / "one", four = temp.path() / "four";
  const QrbatchRun single = RunQrbatch({"-o", one.string(), "-j", "1", "--format", "png"},
                                       temp.path() / "lines.txt", temp.path());
  const QrbatchRun quad = RunQrbatch({"-o", four.string(), "-j", "4", "--format", "png"},
                                     temp.path() / "lines.txt", temp.path());
  EXPECT_EQ(single.status, 1);
  EXPECT_EQ(quad.status, 1);
  EXPECT_EQ(single.err, quad.err);
  EXPECT_NE(single.err.find("qrbatch: line 997: too long"), std::string::npos);
  const auto filesOfOne = FilesUnder(one), filesOfFour = FilesUnder(four);
  EXPECT_GT(filesOfOne.size(), 1500u);
  EXPECT_TRUE(filesOfOne == filesOfFour);
}

TEST(QrbatchStream, ASlowPipeGetsItsFilesAsTheLinesCome) {
  TempFolder temp;
  const fs::path out = temp.path() / "out";
  int toQrbatch[2];
  ASSERT_EQ(pipe2(toQrbatch, O_CLOEXEC), 0);
  const int err = open((temp.path() / "err").c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0644);
  const pid_t pid =
      StartQrbatch({"-o", out.string(), "-j", "2", "--format", "svg"}, toQrbatch[0], err, err);
  ASSERT_GT(pid, 0);
  close(toQrbatch[0]);
  // The folder is there before any line.
  EXPECT_TRUE(WaitForFile(out));
  for (int i = 1; i <= 5; ++i) {
    const std::string line = "line-" + std::to_string(i) + "\n";
    ASSERT_EQ(write(toQrbatch[1], line.data(), line.size()), static_cast<ssize_t>(line.size()));
    // The input is still open: the file can only come from this line.
    EXPECT_TRUE(WaitForFile(out / ("line-" + std::to_string(i) + ".svg"))) << i;
  }
  close(toQrbatch[1]);
  EXPECT_EQ(WaitQrbatch(pid), 0);
  close(err);
  EXPECT_EQ(FilesUnder(out).size(), 5u);
}

// A signal at some point of a batch: complete files only, a count, 130.
void ExpectCleanStop(int signal, const fs::path &root, int afterFiles) {
  const fs::path out = root / ("out" + std::to_string(signal) + "-" + std::to_string(afterFiles));
  int toQrbatch[2];
  ASSERT_EQ(pipe2(toQrbatch, O_CLOEXEC), 0);
  const fs::path errPath = out.string() + ".err";
  const int err = open(errPath.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0644);
  const pid_t pid = StartQrbatch({"-o", out.string(), "-j", "2"}, toQrbatch[0], err, err);
  ASSERT_GT(pid, 0);
  close(toQrbatch[0]);
  std::string lines;
  for (int i = 0; i < 3000; ++i) lines += std::to_string(20210706000LL + i) + "\n";
  // Half the lines, then the signal once some files are there, while the
  // batch still waits for more input or works through what it has.
  ASSERT_EQ(write(toQrbatch[1], lines.data(), lines.size() / 2),
            static_cast<ssize_t>(lines.size() / 2));
  ASSERT_TRUE(WaitForFile(out / (std::to_string(20210706000LL + afterFiles) + ".jpg")));
  kill(pid, signal);
  const int status = WaitQrbatch(pid);
  close(toQrbatch[1]);
  close(err);
  EXPECT_EQ(status, 130);
  const std::string report = ReadWhole(errPath);
  EXPECT_NE(report.find("interrupted after "), std::string::npos) << report;
  const auto files = FilesUnder(out);
  // The count told is the files written (every line here is good).
  EXPECT_NE(report.find("interrupted after " + std::to_string(files.size()) + " of "),
            std::string::npos)
      << report << files.size();
  std::string bitmapOfFirst;
  for (const auto &[name, bytes] : files) {
    ASSERT_EQ(fs::path(name).extension(), ".jpg") << "left behind: " << name;
    ASSERT_GE(bytes.size(), 62u) << name;
    EXPECT_EQ(bytes.substr(0, 2), "BM") << name;
    const uint32_t declared = static_cast<uint8_t>(bytes[2]) | static_cast<uint8_t>(bytes[3]) << 8 |
                              static_cast<uint8_t>(bytes[4]) << 16;
    EXPECT_EQ(bytes.size(), declared) << name;
  }
}

TEST(QrbatchStream, SignalsStopBetweenLinesLeavingCompleteFilesOnly) {
  TempFolder temp;
  // Every signal, and each stop point (at the first files, while the batch
  // works, deep into the queued half) twice. SIGHUP and SIGQUIT: a closed
  // terminal, a dropped session.
  const std::pair<int, int> runs[] = {{SIGINT, 1},  {SIGTERM, 40}, {SIGHUP, 400},
                                      {SIGQUIT, 1}, {SIGINT, 40},  {SIGTERM, 400}};
  for (const auto &[signal, afterFiles] : runs) ExpectCleanStop(signal, temp.path(), afterFiles);
}

TEST(QrbatchStream, AFileSizeLimitFailsTheLinesInsteadOfKillingTheBatch) {
  TempFolder temp;
  const std::string command = "ulimit -f 1; printf 'a\\nb\\nc\\n' | '" + std::string(QRBATCH_PATH) +
                              "' -o '" + (temp.path() / "out").string() + "' --format svg 2>'" +
                              (temp.path() / "err").string() + "'";
  const int raw = std::system(command.c_str());
  ASSERT_TRUE(WIFEXITED(raw));
  EXPECT_EQ(WEXITSTATUS(raw), 1);
  const std::string report = ReadWhole(temp.path() / "err");
  EXPECT_NE(report.find("line 1: could not be written (File too large): a"), std::string::npos)
      << report;
  EXPECT_NE(report.find("line 3: could not be written (File too large): c"), std::string::npos)
      << report;
  EXPECT_TRUE(FilesUnder(temp.path() / "out").empty());
}

TEST(QrbatchStream, AClosedStandardErrorDoesNotEndTheBatch) {
  TempFolder temp;
  WriteWhole(temp.path() / "lines.txt", "bad*\nbad?\ngood-1\ngood-2\n");
  int errPipe[2];
  ASSERT_EQ(pipe2(errPipe, O_CLOEXEC), 0);
  close(errPipe[0]);
  const int in = open((temp.path() / "lines.txt").c_str(), O_RDONLY | O_CLOEXEC);
  const pid_t pid =
      StartQrbatch({"-o", (temp.path() / "out").string()}, in, errPipe[1], errPipe[1]);
  close(errPipe[1]);
  close(in);
  EXPECT_EQ(WaitQrbatch(pid), 1);
  EXPECT_EQ(FilesUnder(temp.path() / "out").size(), 2u);
}

TEST(QrbatchStream, HostileLinesAreEchoedEscapedAndCut) {
  TempFolder temp;
  const std::string hostile = "\x1b]2;owned\x07\x1b[2J" + std::string("x\0y", 3);
  WriteWhole(temp.path() / "lines.txt", hostile + "\n" + std::string(50000, 'w') + "*\n");
  const QrbatchRun run =
      RunQrbatch({"-o", (temp.path() / "out").string()}, temp.path() / "lines.txt", temp.path());
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.err.find('\x1b'), std::string::npos);
  EXPECT_EQ(run.err.find('\x07'), std::string::npos);
  std::string folded = run.err;
  for (char &c : folded) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  EXPECT_NE(folded.find("\\x1b]2;owned\\x07\\x1b[2jx\\x00y"), std::string::npos) << run.err;
  EXPECT_LT(run.err.size(), 600u);
}

TEST(QrbatchStream, UnopenableInputAndFolderSayWhy) {
  TempFolder temp;
  WriteWhole(temp.path() / "file", "");
  WriteWhole(temp.path() / "lines.txt", "a\n");
  const QrbatchRun missing =
      RunQrbatch({"-o", (temp.path() / "out").string(), (temp.path() / "nope").string()},
                 temp.path() / "lines.txt", temp.path());
  EXPECT_EQ(missing.status, 2);
  EXPECT_NE(missing.err.find("cannot open " + (temp.path() / "nope").string() +
                             ": No such file or directory"),
            std::string::npos)
      << missing.err;
  const QrbatchRun blocked = RunQrbatch({"-o", (temp.path() / "file" / "out").string()},
                                        temp.path() / "lines.txt", temp.path());
  EXPECT_EQ(blocked.status, 2);
  EXPECT_NE(blocked.err.find("cannot create the folder " + (temp.path() / "file" / "out").string() +
                             ": Not a directory"),
            std::string::npos)
      << blocked.err;
}

TEST(QrbatchStream, NumberNamesAreAsWideAsTheLineCount) {
  TempFolder temp;
  std::string input;
  for (int i = 1; i <= 12; ++i) input += "https://example.com/p?id=" + std::to_string(i) + "\n";
  WriteWhole(temp.path() / "lines.txt", input);
  // A file is counted first; a pipe is read to its end first.
  const QrbatchRun fromFile = RunQrbatch({"-o", (temp.path() / "a").string(), "--names", "number",
                                          "--format", "png", (temp.path() / "lines.txt").string()},
                                         temp.path() / "lines.txt", temp.path());
  EXPECT_EQ(fromFile.status, 0) << fromFile.err;
  const std::string command = "cat '" + (temp.path() / "lines.txt").string() + "' | '" +
                              QRBATCH_PATH + "' -o '" + (temp.path() / "b").string() +
                              "' --names number --format png";
  EXPECT_EQ(std::system(command.c_str()), 0);
  std::set<std::string> names;
  for (const auto &file : FilesUnder(temp.path() / "a")) names.insert(file.first);
  EXPECT_EQ(names.size(), 12u);
  EXPECT_EQ(*names.begin(), "01.png");
  EXPECT_EQ(*names.rbegin(), "12.png");
  EXPECT_TRUE(FilesUnder(temp.path() / "a") == FilesUnder(temp.path() / "b"));
  EXPECT_EQ(DecodeImageFile(temp.path() / "a" / "07.png").bytes, "https://example.com/p?id=7");
}

}  // namespace
}  // namespace qrtest
