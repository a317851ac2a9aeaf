// A file name made from any text, for lines whose content is no file name
// (URLs, Wi-Fi strings): what Windows cannot store becomes '_'.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace batch {

// How the file system counts a name's length: ext4 and most POSIX file
// systems in bytes (255), NTFS and exFAT in UTF-16 units (255).
enum class NameUnits { kUtf8Bytes, kUtf16Units };
inline constexpr size_t kLongestFileName = 255;

// `text` (UTF-8) as one file name that takes `extensionUnits` more units
// for its extension: `: / \ * ? " < > |` and control characters become
// '_'; the name is cut at a character boundary to fit kLongestFileName
// with the extension; trailing dots and blanks become '_'; a device name
// (CON, PRN, AUX, NUL, COM1-9, LPT1-9, CONIN$, CONOUT$, also before a dot)
// gets a '_' in front. Bytes that are no UTF-8 are kept, one unit each.
std::string SafeFileName(std::string_view text, NameUnits units, size_t extensionUnits);

}  // namespace batch
