// Paths for the system's wide-character file functions, which take paths
// longer than MAX_PATH in their extended-length form (\\?\).
#pragma once

#include <string>

namespace qrplatform {

// The path made absolute; empty when the system cannot resolve it.
std::wstring FullPath(const std::wstring &path);

// The absolute path, in extended-length form when the plain form would be
// too long for the file functions.
std::wstring SystemPath(const std::wstring &path);

// The plain form of a path that may carry the extended-length prefix.
std::wstring PlainPath(const std::wstring &path);

// "X:\..." or "\\server\share\...".
bool IsAbsolutePath(const std::wstring &path);

}  // namespace qrplatform
