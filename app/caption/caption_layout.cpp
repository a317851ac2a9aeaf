#include "caption_layout.h"

#include <algorithm>

namespace qrcaption {

namespace {

// The length of the UTF-8 sequence at `at` (valid input: CaptionText).
size_t SequenceLength(std::string_view text, size_t at) {
  const auto lead = static_cast<unsigned char>(text[at]);
  const size_t length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
  return std::min(length, text.size() - at);
}

char32_t CodePointAt(std::string_view text, size_t at) {
  const size_t length = SequenceLength(text, at);
  const auto byte = [&](size_t i) {
    return static_cast<char32_t>(static_cast<unsigned char>(text[at + i]));
  };
  if (length == 1) return byte(0);
  char32_t value = byte(0) & (0x7F >> length);
  for (size_t i = 1; i < length; ++i) value = value << 6 | (byte(i) & 0x3F);
  return value;
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

// The caption cut at its break opportunities; every byte is in one piece.
std::vector<std::string_view> Pieces(std::string_view text) {
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

std::string_view TrimEnd(std::string_view text) {
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  return text;
}

// Greedy wrapping at `size` into lines no wider than `room`; false when
// a single character is wider.
bool Wrap(std::string_view text, int size, int room, const MeasureText &measure,
          std::vector<std::string> &lines) {
  lines.clear();
  const auto fits = [&](std::string_view line) {
    return measure(TrimEnd(line), size).width <= room;
  };
  std::string current;
  const auto close = [&] {
    const std::string_view done = TrimEnd(current);
    if (!done.empty()) lines.emplace_back(done);
    current.clear();
  };
  for (const std::string_view piece : Pieces(text)) {
    if (fits(current + std::string(piece))) {
      current += piece;
      continue;
    }
    close();
    if (fits(piece)) {
      current = piece;
      continue;
    }
    // A word wider than the line: it breaks between characters.
    for (size_t at = 0; at < piece.size();) {
      const std::string_view character = piece.substr(at, SequenceLength(piece, at));
      at += character.size();
      if (fits(current + std::string(character))) {
        current += character;
        continue;
      }
      close();
      if (!fits(character)) return false;
      current = character;
    }
  }
  close();
  return true;
}

// `lineWidth`: the width of a single line, known already (0: measure).
void Place(std::vector<std::string> texts, int size, const TextExtent &line, int lineWidth,
           int width, int bandHeight, const MeasureText &measure, CaptionLayout &layout) {
  const int lineHeight = line.height;
  layout.fits = true;
  layout.pixelSize = size;
  layout.lineHeight = lineHeight;
  layout.ascent = line.ascent;
  int top = (bandHeight - lineHeight * static_cast<int>(texts.size())) / 2;
  for (std::string &text : texts) {
    const int left = (width - (lineWidth > 0 ? lineWidth : measure(text, size).width)) / 2;
    layout.lines.push_back({std::move(text), left, top});
    top += lineHeight;
  }
}

}  // namespace

int LargestCaptionPixels(int bandHeight) {
  return std::max(kSmallestCaptionPixels, bandHeight * 2 / 3);
}

int CaptionSidePadding(int bandHeight) { return std::max(1, bandHeight / 6); }

CaptionLayout LayOutCaption(std::string_view utf8, int width, int bandHeight,
                            const MeasureText &measure) {
  CaptionLayout layout;
  if (utf8.empty()) {
    layout.fits = true;
    return layout;
  }
  const int room = width - 2 * CaptionSidePadding(bandHeight);
  const int largest = LargestCaptionPixels(bandHeight);
  if (room <= 0) return layout;
  // One line, shrunk as far as needed (a size estimated from the width,
  // then checked).
  for (int size = largest;;) {
    const TextExtent extent = measure(utf8, size);
    if (extent.width <= room && extent.height <= bandHeight) {
      Place({std::string(utf8)}, size, extent, extent.width, width, bandHeight, measure, layout);
      return layout;
    }
    if (size <= kSmallestCaptionPixels) break;
    int next = size - 1;
    if (extent.width > room)
      next = std::min(next, static_cast<int>(static_cast<long long>(size) * room / extent.width));
    size = std::max(next, kSmallestCaptionPixels);
  }
  // Wrapped: n lines at the largest size that stacks n in the band.
  std::vector<std::string> lines;
  for (int count = 2;; ++count) {
    int size = std::min(largest, bandHeight / count);
    TextExtent line;
    for (; size >= kSmallestCaptionPixels; --size) {
      line = measure(utf8, size);
      if (line.height * count <= bandHeight) break;
    }
    if (size < kSmallestCaptionPixels) return layout;  // does not fit
    if (Wrap(utf8, size, room, measure, lines) && static_cast<int>(lines.size()) <= count) {
      Place(std::move(lines), size, line, 0, width, bandHeight, measure, layout);
      return layout;
    }
  }
}

}  // namespace qrcaption
