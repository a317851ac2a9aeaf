// A batch line as a report shows it: short, and harmless to a terminal or
// a message box whatever bytes the line holds.
#pragma once

#include <cstddef>
#include <string>

namespace batch {

// The encoding the line is read in and the report is written in.
enum class ReportEncoding { kGbk, kUtf8 };

// At most `maxChars` columns (a double-byte GBK character and a UTF-8
// character of three or four bytes take two, as they do on screen), never
// splitting a GBK pair or a UTF-8 sequence. Bytes that are not printable
// (controls, ESC, DEL, NUL, stray or malformed bytes, and in UTF-8 the C1
// controls and the format characters: direction and zero-width marks, soft
// hyphen, tags...) show as \xNN, and a backslash as \\, so every escape
// reads back as one byte. A cut line ends
// in an ellipsis (GBK A1AD or UTF-8 E2 80 A6) within the `maxChars`. Reads
// no more of the line than it shows.
std::string DisplayLine(const std::string &line, ReportEncoding encoding, size_t maxChars = 80);

}  // namespace batch
