// Breaking a caption into lines: where a line may end, and greedy wrapping
// at those places into lines no wider than the room.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "caption_layout.h"

namespace qrcaption {

// The caption cut at its break opportunities (after a space, after the
// separators of addresses and codes, around CJK characters); every byte is
// in exactly one piece, in order.
std::vector<std::string_view> BreakPieces(std::string_view utf8);

// Greedy wrapping of `utf8` at `size` into lines no wider than `room`: the
// spaces a line breaks at are dropped, nothing else is; a piece wider than
// a line breaks between its characters. False when a single character is
// wider than the room.
bool WrapLines(std::string_view utf8, int size, int room, const MeasureText &measure,
               std::vector<std::string> &lines);

}  // namespace qrcaption
