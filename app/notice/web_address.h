#pragma once
#include <string_view>

namespace notice {

// True for an http:// or https:// address (scheme in any case) with a host
// after the scheme, made only of the characters an address may hold (those
// of RFC 3986 and bytes of 0x80 and up); only such addresses are handed to
// the shell.
bool IsWebAddress(std::string_view link);

}  // namespace notice
