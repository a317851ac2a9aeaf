// Layout checks of the batch generator's main window, read from the window
// tree of the running program.
#pragma once

#include "app_driver_support.h"

namespace appdriver {

// Outer size, centring, frame and title of the main window.
void CheckMainWindow(const App &app);
// Every control of the layout table at its place, with its kind, style and
// text (texts that start-up writes with their start-up values), and the
// combo boxes' items.
void CheckControls(const App &app);

}  // namespace appdriver
