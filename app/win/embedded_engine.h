// The engine library image carried inside the program.
#pragma once

#include <string_view>

namespace qrwin {

// The bytes of the embedded QRCodeWin32.dll; empty if the resource is missing.
std::string_view EmbeddedEngineImage();

}  // namespace qrwin
