// The picture box control: keeps the bytes last assigned to it and draws the
// picture they hold, either scaled to the box or at natural size from the
// top-left corner. White where there is no picture.
#pragma once

#include <windows.h>

#include <cstdint>
#include <vector>

#include "dib_picture.h"

namespace qrwin {

extern const wchar_t kPictureBoxClass[];
// Window style bit of the picture box class: scale the picture to the box.
constexpr DWORD kPictureBoxStretch = 0x0001;

void RegisterPictureBoxClass(HINSTANCE instance);

// Assigns the bytes of a bitmap file; bytes that hold no readable bitmap (or
// none at all) leave the box without a picture but are kept all the same.
void SetPictureBoxBytes(HWND box, std::vector<std::uint8_t> bytes);

// Assigns bytes together with their picture decoded elsewhere (formats other
// than bitmap files, such as PNG).
void SetPictureBoxPicture(HWND box, std::vector<std::uint8_t> bytes, DibPicture picture);

// Exactly the bytes last assigned.
std::vector<std::uint8_t> PictureBoxBytes(HWND box);

}  // namespace qrwin
