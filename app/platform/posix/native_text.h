// The bytes of texts the system shows, here UTF-8.
#pragma once

namespace qrplatform {

// False: a report shows lines as UTF-8 (see win/native_text.h).
inline constexpr bool kNativeTextIsGbk = false;

}  // namespace qrplatform
