// Writing an output file whole or not at all: the bytes go to a temporary
// file in the same folder, which then takes the file's name in one step. A
// reader sees the old file or the new one, never a part of the new one.
#pragma once

#include <cstddef>
#include <cstdint>
#include <initializer_list>

namespace qr {

struct ByteSpan {
  const uint8_t *data;
  size_t size;
};

// Deletes the file if there is one; never a folder.
void RemoveFile(const char *fileName);

// Writes the parts in order as the file `fileName`, replacing any file of
// that name. False when the file cannot be written or the name is taken by
// a folder, with errno (GetLastError on Windows) telling why; the old file
// is then untouched and no temporary file is left behind.
bool WriteFileAtomically(const char *fileName, std::initializer_list<ByteSpan> parts);

// Tests only: called once the temporary file exists, before anything is
// written to it; a false return makes the write fail right there.
extern bool (*afterTemporaryFileCreated)();

}  // namespace qr
