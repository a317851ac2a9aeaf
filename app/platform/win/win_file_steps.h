// The steps every Windows writer of whole files takes (pending_file.h,
// streamed_file.h, utf8_file_system.h): write all, then move into place
// with the move written through. Each failure leaves its reason in
// GetLastError.
#pragma once

#include <cstddef>
#include <initializer_list>
#include <string>

#include "pending_file.h"

namespace qrplatform {

// WriteWholeFile for a target already in the system's form (a long path in
// extended-length form, say).
bool WriteWholeFile(const std::wstring &target, std::initializer_list<FilePart> parts);

// All bytes, in pieces WriteFile takes.
bool WriteAll(void *handle, const void *data, size_t size);

// The temporary takes the target's name, replacing a file of that name;
// the move is on the disk when this returns. On failure the temporary is
// removed. A folder of that name makes the move fail: it is never
// replaced.
bool MoveIntoPlace(const std::wstring &temporary, const std::wstring &target);

}  // namespace qrplatform
