// Whether a stream goes to a terminal (progress is shown only there), and
// how UTF-8 messages reach it.
#pragma once

#include <cstdio>
#include <string>

namespace qrplatform {

bool IsTerminal(std::FILE *stream);

// Writes UTF-8 text to the stream. A Windows console gets it as wide
// characters, readable under any code page; a pipe or a file, and every
// stream elsewhere, gets the UTF-8 bytes.
void PutText(std::FILE *stream, const std::string &utf8);

// printf into a UTF-8 text, then PutText.
#if defined(__GNUC__)
__attribute__((format(printf, 2, 3)))
#endif
void PrintText(std::FILE *stream, const char *format, ...);

}  // namespace qrplatform
