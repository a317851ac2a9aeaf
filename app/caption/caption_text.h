// A line's caption bytes made ready for the text stack.
#pragma once

#include <string>
#include <string_view>

namespace qrcaption {

// `bytes` as a caption: valid UTF-8, controls (a TAB, a line break) shown
// as spaces, surrounding spaces dropped. A byte that is no part of UTF-8
// shows as U+FFFD: nothing is dropped unseen.
std::string CaptionText(std::string_view bytes);

}  // namespace qrcaption
