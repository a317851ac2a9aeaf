// Reading input through C runtime descriptors: the calls differ in name
// and in details (binary mode, inheritance) between POSIX and Windows.
#pragma once

#include <cstddef>
#include <cstdio>
#include <string>

namespace qrplatform {

// Opens a file for reading, in binary mode, not inherited by programs this
// one starts (POSIX); -1 with errno set on failure.
int OpenForReading(const std::string &path);
void CloseDescriptor(int descriptor);
// Creates or truncates a file for writing through stdio, in binary mode;
// `path` is UTF-8 (Windows: opened by its wide name, whatever the code
// page). Null with errno set on failure.
std::FILE *CreateForWriting(const std::string &path);
// Up to `count` bytes: their number, 0 at the end, -1 with errno set.
long ReadSome(int descriptor, char *bytes, size_t count);
// lseek with 64-bit offsets: the new offset, -1 with errno set.
long long Seek(int descriptor, long long offset, int whence);
// Windows: no CR LF translation (standard input starts in text mode).
void SetBinaryMode(int descriptor);
// Waits until the descriptor has input or a stop is requested
// (stop_request.h), whichever comes first; false with errno set when the
// wait itself failed. Windows: returns at once (a stop request cancels the
// blocked read instead).
bool WaitForInput(int descriptor);

}  // namespace qrplatform
