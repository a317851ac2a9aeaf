// The program: main window, logic and platform services wired together, and
// the message loop.
#pragma once

#include <windows.h>

namespace qrwin {

// Runs the program until the main window is closed; the process exit code.
int RunApplication(HINSTANCE instance);

}  // namespace qrwin
