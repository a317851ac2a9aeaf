// The control events the window layer reports to the logic, each with the
// layout name of the control that raised it.
#pragma once

namespace qrapp {

enum class ControlEvent {
  kContentChanged,  // edit box, typed or set by the program
  kClicked,         // button
  kTimerTick,       // timer
  kLeftButtonDown,  // label: the left mouse button pressed on it
};

}  // namespace qrapp
