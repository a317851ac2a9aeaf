#include "caption_wrap.h"

#include <algorithm>

#include "utf8_text.h"

namespace qrcaption {

namespace {

// The length of the character at `at`; captions are valid UTF-8
// (CaptionText), so a stray byte only steps over itself.
size_t SequenceLength(std::string_view text, size_t at) {
  return std::max<size_t>(1, qrtext::Utf8CharLength(text, at));
}

char32_t CodePointAt(std::string_view text, size_t at) {
  if (qrtext::Utf8CharLength(text, at) == 0) return static_cast<unsigned char>(text[at]);
  return qrtext::Utf8CodePoint(text, at);
}

// CJK and other wide scripts break between any two characters.
bool IsWide(char32_t c) {
  return (c >= 0x2E80 && c < 0xA4D0) || (c >= 0xAC00 && c < 0xD7A4) ||
         (c >= 0xF900 && c < 0xFB00) || (c >= 0xFE30 && c < 0xFE50) ||
         (c >= 0xFF00 && c < 0xFF61) || (c >= 0x20000 && c < 0x3FFFE);
}

// A line may end after a space or after the separators of addresses and
// codes.
bool BreaksAfter(char32_t c) {
  return c == ' ' || c == '/' || c == '-' || c == '?' || c == '&' || c == '=' || c == '_';
}

std::string_view TrimEnd(std::string_view text) {
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  return text;
}

// Lines being filled: the current one grows while it fits the room.
class LineFiller {
 public:
  LineFiller(int size, int room, const MeasureText &measure, std::vector<std::string> &lines)
      : size_(size), room_(room), measure_(measure), lines_(lines) {
    lines_.clear();
  }

  bool Fits(std::string_view line) const { return measure_(TrimEnd(line), size_).width <= room_; }
  bool FitsAfterCurrent(std::string_view piece) const {
    return Fits(current_ + std::string(piece));
  }
  void Append(std::string_view piece) { current_ += piece; }
  void Close() {
    const std::string_view done = TrimEnd(current_);
    if (!done.empty()) lines_.emplace_back(done);
    current_.clear();
  }

  // A piece wider than a line, character by character; false when one
  // character is wider.
  bool AppendCharacters(std::string_view piece) {
    for (size_t at = 0; at < piece.size();) {
      const std::string_view character = piece.substr(at, SequenceLength(piece, at));
      at += character.size();
      if (FitsAfterCurrent(character)) {
        Append(character);
        continue;
      }
      Close();
      if (!Fits(character)) return false;
      Append(character);
    }
    return true;
  }

 private:
  int size_, room_;
  const MeasureText &measure_;
  std::vector<std::string> &lines_;
  std::string current_;
};

}  // namespace

std::vector<std::string_view> BreakPieces(std::string_view text) {
  std::vector<std::string_view> pieces;
  size_t start = 0;
  for (size_t at = 0; at < text.size();) {
    const char32_t c = CodePointAt(text, at);
    const size_t next = at + SequenceLength(text, at);
    const bool nextIsSpace = next < text.size() && text[next] == ' ';
    const bool nextIsWide = next < text.size() && IsWide(CodePointAt(text, next));
    if (next < text.size() && ((BreaksAfter(c) && !nextIsSpace) || IsWide(c) || nextIsWide)) {
      pieces.push_back(text.substr(start, next - start));
      start = next;
    }
    at = next;
  }
  if (start < text.size()) pieces.push_back(text.substr(start));
  return pieces;
}

bool WrapLines(std::string_view utf8, int size, int room, const MeasureText &measure,
               std::vector<std::string> &lines) {
  LineFiller filler(size, room, measure, lines);
  for (const std::string_view piece : BreakPieces(utf8)) {
    if (filler.FitsAfterCurrent(piece)) {
      filler.Append(piece);
      continue;
    }
    filler.Close();
    if (filler.Fits(piece)) {
      filler.Append(piece);
    } else if (!filler.AppendCharacters(piece)) {
      return false;
    }
  }
  filler.Close();
  return true;
}

}  // namespace qrcaption
