// Writing an output file whole or not at all: the bytes go to a temporary
// file in the same folder, which then takes the file's name in one step. A
// reader sees the old file or the new one, never a part of the new one; and
// after a power cut the disk has the old file or the whole new one: the
// data reaches the disk before the rename, the rename before success is
// told.
#pragma once

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

namespace qr {

struct ByteSpan {
  const uint8_t *data;
  size_t size;
};

// Writes the parts in order as the file `fileName`, replacing any file of
// that name, and flushes it to the disk (data, then the name). False when
// the file cannot be written or the name is taken by a folder, with errno
// (GetLastError on Windows) telling why; the old file is then untouched and
// no temporary file is left behind.
bool WriteFileAtomically(const char *fileName, std::initializer_list<ByteSpan> parts);

// The same in two steps, for many files at once: a flush of the disk costs
// about as much for one file as for hundreds.
#ifdef _WIN32
using NativePath = std::wstring;
#else
using NativePath = std::string;
#endif
struct StagedFile {
  NativePath temporary;  // written and closed, beside the target
  NativePath target;
};

// Step one: the parts written to a new temporary file beside `fileName` (on
// Windows also flushed to the disk). False with errno (GetLastError) when
// that fails; nothing is left behind then. On Windows `fileName` is in the
// ANSI code page, or UTF-8 when `utf8Name` (any name under any code page);
// elsewhere it is bytes either way.
bool StageFile(const char *fileName, std::initializer_list<ByteSpan> parts, StagedFile &staged,
               bool utf8Name = false);

// Step two: the staged files' data flushed to the disk (one syncfs per file
// system on Linux), every file renamed to its target in order, then every
// folder flushed. `errors[i]` is 0 when staged[i] took its name and is on
// the disk, else the errno (GetLastError) of its failure. No temporary file
// is left behind.
void PublishStagedFiles(const std::vector<StagedFile> &staged, std::vector<unsigned long> &errors);

// Removes a staged file that is not to be published.
void DiscardStagedFile(const StagedFile &staged);

// Sets errno (SetLastError on Windows) to an error of PublishStagedFiles.
void SetSystemError(unsigned long error);

// Tests only: called once the temporary file exists, before anything is
// written to it; a false return makes the write fail right there.
extern bool (*afterTemporaryFileCreated)();

}  // namespace qr
