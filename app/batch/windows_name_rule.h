// What Windows refuses in a file name, on every system: both programs'
// output names follow it so that a list gives the same files everywhere.
#pragma once

#include <string_view>

namespace batch {

// Control bytes and < > : " / \ | ? * (the separators among them).
bool IsReservedNameCharacter(unsigned char c);

// CON, PRN, AUX, NUL, CONIN$, CONOUT$, COM1-9, LPT1-9 in any case name a
// device whatever follows a dot, and with blanks before the dot.
bool IsDeviceName(std::string_view component);

}  // namespace batch
