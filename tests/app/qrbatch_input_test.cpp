// qrbatch's input read line by line from descriptors.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "input_lines.h"
#include "line_splitter.h"

namespace qrbatch {
namespace {

std::vector<std::string> ReadAllLines(int descriptor) {
  LineReader reader(descriptor);
  std::vector<std::string> lines;
  std::string line;
  while (reader.Next(line) == LineReader::Result::kLine) lines.push_back(line);
  return lines;
}

TEST(QrbatchInput, ReadsTheLinesSplitFileLinesFinds) {
  const std::string longLine(200000, 'x');  // spans several reads
  const std::string input = "a\r\nb\n\n" + longLine + "\r\n\rc\r\nlast";
  char name[] = "/tmp/qrbatch_input_XXXXXX";
  const int file = mkstemp(name);
  ASSERT_GE(file, 0);
  ASSERT_EQ(write(file, input.data(), input.size()), static_cast<ssize_t>(input.size()));
  ASSERT_EQ(lseek(file, 0, SEEK_SET), 0);
  long long count = 0;
  ASSERT_TRUE(CountLines(file, count));
  EXPECT_EQ(count, 6);
  EXPECT_EQ(lseek(file, 0, SEEK_CUR), 0) << "counting leaves the input where it was";
  EXPECT_EQ(ReadAllLines(file), qrapp::SplitFileLines(input));
  EXPECT_EQ(qrapp::SplitFileLines(input).size(), 6u);
  close(file);
  unlink(name);
}

TEST(QrbatchInput, CountsLikeTheSplitterAndRefusesPipes) {
  for (const std::string input : {"", "a", "a\n", "a\n\n", "\n", "a\r\nb"}) {
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

}  // namespace
}  // namespace qrbatch
