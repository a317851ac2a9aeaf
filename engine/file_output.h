// Writing an output file: the old file goes first, the new one is written
// whole or not at all.
#pragma once

#include <cstddef>
#include <cstdint>
#include <initializer_list>

namespace qr {

struct ByteSpan {
  const uint8_t *data;
  size_t size;
};

// Deletes the file if there is one.
void RemoveFile(const char *fileName);

// Creates (or truncates) the file and writes the parts in order. False when
// the file cannot be created or a write fails; a partly written file is
// removed again.
bool WriteNewFile(const char *fileName, std::initializer_list<ByteSpan> parts);

// RemoveFile, then WriteNewFile. A free name is simply created exclusively:
// the deletion would have found nothing, so the outcome is the same, for a
// system call (and under Wine a search of the whole folder) less per file.
bool ReplaceFileContents(const char *fileName, std::initializer_list<ByteSpan> parts);

}  // namespace qr
