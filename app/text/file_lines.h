// Where a line of a text file ends (qrbatch's input, the settings file),
// for readers that get the file whole, in pieces, or only count its lines.
//
// A line ends at LF, at CR LF (one end) or at a lone CR, as old Mac
// exporters end their lines: no line holds a CR or an LF. Bytes after the
// last line end are a last line; a final line end is not followed by an
// empty line.
#pragma once

#include <string>

namespace qrtext {

inline bool IsLineEndByte(char byte) { return byte == '\n' || byte == '\r'; }

// The next CR or LF in [begin, end), or `end`.
inline const char *FindLineEnd(const char *begin, const char *end) {
  while (begin != end && !IsLineEndByte(*begin)) ++begin;
  return begin;
}

// Cuts input given in any pieces into lines. It remembers a CR that ended
// a line, so the LF of a CR LF cut apart by the pieces ends no second line.
class LineCutter {
 public:
  // Moves the bytes up to the next line end from [begin, end) into `line`,
  // after what an earlier piece left there, and advances `begin` past that
  // end. True when the line is complete (without its line end); false when
  // the piece ran out first. At the end of the input a `line` that is not
  // empty is the last line.
  bool Take(const char *&begin, const char *end, std::string &line) {
    if (afterCr_ && begin != end) {
      afterCr_ = false;
      if (*begin == '\n') ++begin;
    }
    const char *lineEnd = FindLineEnd(begin, end);
    line.append(begin, lineEnd);
    if (lineEnd == end) {
      begin = end;
      return false;
    }
    afterCr_ = *lineEnd == '\r';
    begin = lineEnd + 1;
    return true;
  }

 private:
  bool afterCr_ = false;  // the last line ended at a CR
};

// Counts the lines of input given in pieces, without keeping them.
class LineCounter {
 public:
  void Add(const char *begin, const char *end) {
    for (const char *p = begin; p != end; ++p) {
      if (*p == '\r' || (*p == '\n' && !afterCr_)) ++lineEnds_;
      afterCr_ = *p == '\r';
    }
    if (begin != end) openLine_ = !IsLineEndByte(end[-1]);
  }
  long long Count() const { return lineEnds_ + (openLine_ ? 1 : 0); }

 private:
  long long lineEnds_ = 0;
  bool afterCr_ = false;   // the last byte so far was a CR
  bool openLine_ = false;  // bytes after the last line end so far
};

}  // namespace qrtext
