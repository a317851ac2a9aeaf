#include "line_display.h"

#include "gbk_bytes.h"

namespace qrapp {

namespace {

constexpr size_t kEllipsisColumns = 2;

// One character of the line: its length in bytes, how it shows and how
// many columns that takes.
struct Piece {
  size_t bytes = 1;
  bool escaped = false;
  size_t columns = 1;
};

Piece Escaped() { return {1, true, 4}; }

bool IsPrintableAscii(unsigned char byte) { return byte >= 0x20 && byte < 0x7F; }

Piece GbkPiece(const std::string &line, size_t at) {
  const unsigned char lead = static_cast<unsigned char>(line[at]);
  if (lead < 0x80) return IsPrintableAscii(lead) ? Piece{} : Escaped();
  if (at + 1 < line.size()) {
    const unsigned char trail = static_cast<unsigned char>(line[at + 1]);
    if (cp936::IsPair(lead, trail)) {
      return {2, false, 2};
    }
  }
  return Escaped();
}

// Code points a terminal takes for controls or that reorder or hide text.
bool IsInvisible(unsigned codePoint) {
  return (codePoint >= 0x80 && codePoint < 0xA0) || codePoint == 0x61C ||
         (codePoint >= 0x200B && codePoint <= 0x200F) ||
         (codePoint >= 0x2028 && codePoint <= 0x202E) ||
         (codePoint >= 0x2060 && codePoint <= 0x206F) || codePoint == 0xFEFF;
}

Piece Utf8Piece(const std::string &line, size_t at) {
  const unsigned char lead = static_cast<unsigned char>(line[at]);
  if (lead < 0x80) return IsPrintableAscii(lead) ? Piece{} : Escaped();
  size_t length;
  unsigned codePoint, lowest;
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2, codePoint = lead & 0x1Fu, lowest = 0x80;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3, codePoint = lead & 0x0Fu, lowest = 0x800;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4, codePoint = lead & 0x07u, lowest = 0x10000;
  } else {
    return Escaped();
  }
  if (at + length > line.size()) return Escaped();
  for (size_t i = 1; i < length; ++i) {
    const unsigned char next = static_cast<unsigned char>(line[at + i]);
    if ((next & 0xC0) != 0x80) return Escaped();
    codePoint = codePoint << 6 | (next & 0x3Fu);
  }
  const bool surrogate = codePoint >= 0xD800 && codePoint <= 0xDFFF;
  if (codePoint < lowest || codePoint > 0x10FFFF || surrogate || IsInvisible(codePoint)) {
    return Escaped();
  }
  return {length, false, length >= 3 ? 2u : 1u};
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
    if (piece.escaped) {
      AppendEscape(shown, static_cast<unsigned char>(line[at]));
    } else {
      shown.append(line, at, piece.bytes);
    }
    columns += piece.columns;
    if (columns + kEllipsisColumns <= maxChars) cutAt = shown.size();
    at += piece.bytes;
  }
  return shown;
}

}  // namespace qrapp
