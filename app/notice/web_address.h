#pragma once
#include <string_view>

namespace notice {

// True for an http:// or https:// address (scheme in any case) with
// a host after the scheme and no blanks or control characters; only such
// addresses are handed to the shell.
bool IsWebAddress(std::string_view link);

}  // namespace notice
