#pragma once
// The decoded logo as a bitmap a picture box can draw.
#include <windows.h>

#include <string_view>

namespace notice::win {

// A 24-bit top-down DIB section of the PNG at its natural size; nullptr when
// the bytes are not a valid PNG. The caller owns the bitmap.
HBITMAP CreateLogoBitmap(std::string_view pngBytes);

}  // namespace notice::win
