#include "logo_bitmap.h"

#include <cstring>

#include "logo_image.h"

namespace notice::win {

HBITMAP CreateLogoBitmap(std::string_view pngBytes) {
    const auto logo = DecodeLogo(pngBytes);
    if (!logo) return nullptr;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = static_cast<LONG>(logo->width);
    info.bmiHeader.biHeight = -static_cast<LONG>(logo->height);  // top-down rows
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!bitmap || !bits) return nullptr;
    std::memcpy(bits, logo->bgr.data(), logo->bgr.size());
    return bitmap;
}

}  // namespace notice::win
