// Every file the programs write goes first under a temporary name beside
// its own, ".qr-PID-N.tmp", and is renamed into place when whole. No batch
// line names a .tmp file, so no line's file can take or lose one of these;
// the process id and a counter shared by all threads keep writers apart.
// A process killed mid-write leaves its temporary behind, which
// RemoveStaleTemporaries (stale_temporaries.h) knows by this name.
#pragma once

#include <string>
#include <string_view>

namespace qrplatform {

// ".qr-PID-N.tmp" for this process's next temporary.
std::string NextTemporaryName();

// The process id in `name` when it is exactly ".qr-PID-N.tmp" with PID and
// N as NextTemporaryName prints them (decimal, no sign, no leading zero,
// PID not 0); else 0. The window's older ".qrwrite-PID-N.tmp" counts too.
unsigned long long TemporaryFileOwner(std::string_view name);

#ifdef _WIN32
using NativePath = std::wstring;  // for the wide file functions
using NativeFile = void *;        // a HANDLE
#else
using NativePath = std::string;
using NativeFile = int;
#endif

// A temporary created for writing; `path` is empty when none could be
// made, with the reason in errno (GetLastError on Windows).
struct TemporaryFile {
  NativePath path;
  NativeFile file;
};

// Creates a new temporary in the folder of `target` (everything up to its
// last separator; none: the working folder), exclusively, so nothing
// existing is touched.
TemporaryFile CreateTemporaryBeside(const NativePath &target);

}  // namespace qrplatform
