// Escapes in a line's content, for what a line cannot hold: line breaks
// (a vCard on one line), TABs, any character by its code.
#pragma once

#include <string>
#include <string_view>

namespace batch {

// Turns \n \r \t \\ \xNN (the byte NN) and \uNNNN (the character U+NNNN in
// UTF-8) in `text` into what they stand for. False when an escape is bad (an
// unknown letter, too few hex digits, a surrogate, \u0000, a lone \ at the
// end): `out` is then unusable and `bad` holds the escape as far as it was
// read, in ASCII (a character outside ASCII ends it), for the report.
bool UnescapeContent(std::string_view text, std::string &out, std::string &bad);

}  // namespace batch
