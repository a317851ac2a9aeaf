// A program's input read line by line from descriptors, and a stop request
// ending a wait for input.
#include <gtest/gtest.h>
#include <pthread.h>
#include <unistd.h>

#include <csignal>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

#include "input_lines.h"
#include "line_splitter.h"
#include "stop_request.h"
#include "temp_folder.h"

namespace qrplatform {
namespace {

std::vector<std::string> ReadAllLines(int descriptor) {
  LineReader reader(descriptor);
  std::vector<std::string> lines;
  std::string line;
  while (reader.Next(line) == LineReader::Result::kLine) lines.push_back(line);
  return lines;
}

TEST(InputLines, ReadsTheLinesSplitFileLinesFinds) {
  const std::string longLine(200000, 'x');  // spans several reads
  const std::string input = "a\r\nb\n\n" + longLine + "\r\n\rc\r\nlast";
  std::string name;
  const int file = qrtest::MakeTempFile("input_lines_", name);
  ASSERT_GE(file, 0);
  ASSERT_EQ(write(file, input.data(), input.size()), static_cast<ssize_t>(input.size()));
  ASSERT_EQ(lseek(file, 0, SEEK_SET), 0);
  long long count = 0;
  ASSERT_TRUE(CountLines(file, count));
  EXPECT_EQ(count, 7);
  EXPECT_EQ(lseek(file, 0, SEEK_CUR), 0) << "counting leaves the input where it was";
  EXPECT_EQ(ReadAllLines(file), qrapp::SplitFileLines(input));
  EXPECT_EQ(qrapp::SplitFileLines(input).size(), 7u);
  close(file);
  unlink(name.c_str());
}

TEST(InputLines, CountsLikeTheSplitterAndRefusesPipes) {
  for (const std::string input : {"", "a", "a\n", "a\n\n", "\n", "a\r\nb", "a\rb\r", "\r\r\n"}) {
    std::FILE *file = std::tmpfile();
    ASSERT_NE(file, nullptr);
    std::fputs(input.c_str(), file);
    std::fflush(file);
    lseek(fileno(file), 0, SEEK_SET);
    long long count = -1;
    ASSERT_TRUE(CountLines(fileno(file), count));
    EXPECT_EQ(count, static_cast<long long>(qrapp::SplitFileLines(input).size())) << input;
    std::fclose(file);
  }
  int ends[2];
  ASSERT_EQ(pipe(ends), 0);
  long long count = 0;
  EXPECT_FALSE(CountLines(ends[0], count));
  // A pipe's lines come as they are written, the last without line end.
  ASSERT_EQ(write(ends[1], "one\ntw", 6), 6);
  LineReader reader(ends[0]);
  std::string line;
  ASSERT_EQ(reader.Next(line), LineReader::Result::kLine);
  EXPECT_EQ(line, "one");
  ASSERT_EQ(write(ends[1], "o\r\nthree", 8), 8);
  close(ends[1]);
  ASSERT_EQ(reader.Next(line), LineReader::Result::kLine);
  EXPECT_EQ(line, "two");
  ASSERT_EQ(reader.Next(line), LineReader::Result::kLine);
  EXPECT_EQ(line, "three");
  EXPECT_EQ(reader.Next(line), LineReader::Result::kEnd);
  close(ends[0]);
}

// The reading thread blocks the signal, so only the wake descriptor can end
// its wait: without it this test hangs (ctest's timeout fails it).
TEST(InputLines, AStopRequestEndsAWaitForInput) {
  InstallStopHandlers();
  sigset_t term, previous;
  sigemptyset(&term);
  sigaddset(&term, SIGTERM);
  ASSERT_EQ(pthread_sigmask(SIG_BLOCK, &term, &previous), 0);
  int ends[2];
  ASSERT_EQ(pipe(ends), 0);
  ASSERT_EQ(write(ends[1], "before\nhalf", 11), 11);
  LineReader reader(ends[0]);
  std::string line;
  ASSERT_EQ(reader.Next(line), LineReader::Result::kLine);
  EXPECT_EQ(line, "before");
  EXPECT_FALSE(StopRequested());
  std::thread stopper([&term] {  // inherits the blocked signal; raises it to itself only
    pthread_sigmask(SIG_UNBLOCK, &term, nullptr);
    raise(SIGTERM);
  });
  EXPECT_EQ(reader.Next(line), LineReader::Result::kStopped);
  EXPECT_TRUE(StopRequested());
  stopper.join();
  pthread_sigmask(SIG_SETMASK, &previous, nullptr);
  close(ends[0]);
  close(ends[1]);
}

}  // namespace
}  // namespace qrplatform
