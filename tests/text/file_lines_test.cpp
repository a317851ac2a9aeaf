// The text files' line rule, whole and in pieces cut anywhere: a reader
// that gets the input in any pieces finds the same lines and count.
#include "file_lines.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace qrtext {
namespace {

using Lines = std::vector<std::string>;

// The lines of `input` given in pieces of at most `piece` bytes, the first
// cut after `first` bytes.
Lines LinesInPieces(const std::string &input, size_t first, size_t piece) {
  Lines lines;
  std::string line;
  LineCutter cutter;
  for (size_t at = 0, size = first; at < input.size(); size = piece) {
    const size_t stop = at + size < input.size() ? at + size : input.size();
    const char *next = input.data() + at;
    while (next != input.data() + stop) {
      if (cutter.Take(next, input.data() + stop, line)) {
        lines.push_back(line);
        line.clear();
      }
    }
    at = stop;
  }
  if (!line.empty()) lines.push_back(line);
  return lines;
}

long long CountInPieces(const std::string &input, size_t first) {
  LineCounter counter;
  counter.Add(input.data(), input.data() + first);
  counter.Add(input.data() + first, input.data() + input.size());
  return counter.Count();
}

TEST(FileLines, SameLinesAndCountWhereverTheInputIsCut) {
  const struct {
    std::string input;
    Lines lines;
  } cases[] = {
      {"", {}},
      {"\n", {""}},
      {"\r\n", {""}},
      {"\r", {""}},
      {"\r\r", {"", ""}},
      {"a\rb\rc", {"a", "b", "c"}},
      {"a", {"a"}},
      {"a\nb\n", {"a", "b"}},
      {"a\r\nb", {"a", "b"}},
      {"a\n\nb\r\n\r\n", {"a", "", "b", ""}},
      {"a\rb\n", {"a", "b"}},
      {"a\r\r\n\rb", {"a", "", "", "b"}},
      {"a\n\rb\r\n", {"a", "", "b"}},
      {"\xB2\xE2\r\n\xCA\xD4\n", {"\xB2\xE2", "\xCA\xD4"}},
  };
  for (const auto &c : cases) {
    for (size_t first = 0; first <= c.input.size(); ++first) {
      EXPECT_EQ(LinesInPieces(c.input, first, c.input.size()), c.lines)
          << c.input << " cut at " << first;
      EXPECT_EQ(CountInPieces(c.input, first), static_cast<long long>(c.lines.size())) << c.input;
    }
    EXPECT_EQ(LinesInPieces(c.input, 1, 1), c.lines) << c.input << " byte by byte";
  }
}

}  // namespace
}  // namespace qrtext
