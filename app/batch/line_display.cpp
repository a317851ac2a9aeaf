#include "line_display.h"

#include "gbk_bytes.h"
#include "utf8_text.h"

namespace batch {

namespace {

constexpr size_t kEllipsisColumns = 2;

// One character of the line: its length in bytes, how it shows and how
// many columns that takes.
enum class Shown { kAsItIs, kHex, kBackslash };
struct Piece {
  size_t bytes = 1;
  Shown shown = Shown::kAsItIs;
  size_t columns = 1;
};

Piece Escaped() { return {1, Shown::kHex, 4}; }

bool IsPrintableAscii(unsigned char byte) { return byte >= 0x20 && byte < 0x7F; }

// A single byte: printable ASCII as it is, but the backslash doubled, so
// that a literal \x1B in a line never reads as an escaped byte; anything
// else as hex.
Piece AsciiPiece(unsigned char byte) {
  if (byte == '\\') return {1, Shown::kBackslash, 2};
  return IsPrintableAscii(byte) ? Piece{} : Escaped();
}

Piece GbkPiece(const std::string &line, size_t at) {
  const unsigned char lead = static_cast<unsigned char>(line[at]);
  if (lead < 0x80) return AsciiPiece(lead);
  if (at + 1 < line.size()) {
    const unsigned char trail = static_cast<unsigned char>(line[at + 1]);
    if (qrtext::IsPair(lead, trail)) {
      return {2, Shown::kAsItIs, 2};
    }
  }
  return Escaped();
}

// Code points a terminal takes for controls, or that reorder or hide text:
// the C1 controls, the line and paragraph separators, and every format
// character (Unicode's category Cf: soft hyphen, zero-width and direction
// marks, invisible operators, byte order mark, the tag characters...).
// clang-format off
constexpr struct { unsigned first, last; } kInvisibleRanges[] = {
    {0x0080, 0x009F}, {0x00AD, 0x00AD}, {0x0600, 0x0605}, {0x061C, 0x061C}, {0x06DD, 0x06DD},
    {0x070F, 0x070F}, {0x0890, 0x0891}, {0x08E2, 0x08E2}, {0x180E, 0x180E}, {0x200B, 0x200F},
    {0x2028, 0x202E}, {0x2060, 0x206F}, {0xFEFF, 0xFEFF}, {0xFFF9, 0xFFFB}, {0x110BD, 0x110BD},
    {0x110CD, 0x110CD}, {0x13430, 0x13438}, {0x1BCA0, 0x1BCA3}, {0x1D173, 0x1D17A},
    {0xE0000, 0xE007F},
};
// clang-format on

bool IsInvisible(unsigned codePoint) {
  for (const auto &range : kInvisibleRanges) {
    if (codePoint >= range.first && codePoint <= range.last) return true;
  }
  return false;
}

Piece Utf8Piece(const std::string &line, size_t at) {
  const unsigned char lead = static_cast<unsigned char>(line[at]);
  if (lead < 0x80) return AsciiPiece(lead);
  const size_t length = qrtext::Utf8CharLength(line, at);
  if (length == 0 || IsInvisible(qrtext::Utf8CodePoint(line, at))) return Escaped();
  return {length, Shown::kAsItIs, length >= 3 ? 2u : 1u};
}

void AppendEscape(std::string &out, unsigned char byte) {
  static const char kHex[] = "0123456789ABCDEF";
  out += "\\x";
  out += kHex[byte >> 4];
  out += kHex[byte & 0xF];
}

}  // namespace

std::string DisplayLine(const std::string &line, ReportEncoding encoding, size_t maxChars) {
  std::string shown;
  size_t columns = 0;
  // Where the text stood the last time an ellipsis still fitted after it.
  size_t cutAt = 0;
  for (size_t at = 0; at < line.size();) {
    const Piece piece = encoding == ReportEncoding::kGbk ? GbkPiece(line, at) : Utf8Piece(line, at);
    if (columns + piece.columns > maxChars) {
      shown.resize(cutAt);
      shown += encoding == ReportEncoding::kGbk ? "\xA1\xAD" : "\xE2\x80\xA6";
      return shown;
    }
    if (piece.shown == Shown::kHex) {
      AppendEscape(shown, static_cast<unsigned char>(line[at]));
    } else if (piece.shown == Shown::kBackslash) {
      shown += "\\\\";
    } else {
      shown.append(line, at, piece.bytes);
    }
    columns += piece.columns;
    if (columns + kEllipsisColumns <= maxChars) cutAt = shown.size();
    at += piece.bytes;
  }
  return shown;
}

}  // namespace batch
