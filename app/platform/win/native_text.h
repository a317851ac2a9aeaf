// The bytes of texts the system shows, here GBK: the program's code page,
// the one the window and qrbatch's console report work in.
#pragma once

namespace qrplatform {

// True: a report shows lines as GBK (see posix/native_text.h).
inline constexpr bool kNativeTextIsGbk = true;

}  // namespace qrplatform
