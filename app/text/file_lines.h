// Where a line of a text file ends (qrbatch's input, the settings file),
// for readers that get the file whole, in pieces, or only count its lines.
//
// A line ends at LF; a CR just before that LF belongs to the line end, a
// lone CR stays in its line. Bytes after the last line end are a last line;
// a final line end is not followed by an empty line.
#pragma once

#include <cstring>
#include <string>

namespace filetext {

constexpr char kLineEnd = '\n';

// The next line end in [begin, end), or nullptr.
inline const char *FindLineEnd(const char *begin, const char *end) {
  return static_cast<const char *>(std::memchr(begin, kLineEnd, static_cast<size_t>(end - begin)));
}

// Moves the bytes up to the next line end from [begin, end) into `line`,
// after what an earlier piece left there, and advances `begin` past that
// end. True when the line is complete (without its line end); false when
// the piece ran out first. At the end of the input a `line` that is not
// empty is the last line.
inline bool TakeLine(const char *&begin, const char *end, std::string &line) {
  const char *lineEnd = FindLineEnd(begin, end);
  if (lineEnd == nullptr) {
    line.append(begin, end);
    begin = end;
    return false;
  }
  line.append(begin, lineEnd);
  begin = lineEnd + 1;
  // Checked after appending: the CR may have come with the previous piece.
  if (!line.empty() && line.back() == '\r') line.pop_back();
  return true;
}

// Counts the lines of input given in pieces, without keeping them.
class LineCounter {
 public:
  void Add(const char *begin, const char *end) {
    if (begin == end) return;
    for (const char *p = begin; (p = FindLineEnd(p, end)) != nullptr; ++p) ++lineEnds_;
    openLine_ = end[-1] != kLineEnd;
  }
  long long Count() const { return lineEnds_ + (openLine_ ? 1 : 0); }

 private:
  long long lineEnds_ = 0;
  bool openLine_ = false;  // bytes after the last line end so far
};

}  // namespace filetext
