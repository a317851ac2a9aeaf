// Creates the controls of the main window from the layout table and keeps
// the map from layout names to windows.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "main_window_layout.h"

namespace qrwin {

struct BuiltControl {
  const resources::ControlLayout *layout;
  HWND window;  // nullptr for the timer and the file dialog
};

class ControlMap {
 public:
  void Add(const resources::ControlLayout *layout, HWND window);
  // nullptr when there is no such control.
  const BuiltControl *Find(const std::string &name) const;
  const BuiltControl *Find(HWND window) const;
  const std::vector<BuiltControl> &All() const { return controls_; }

 private:
  std::vector<BuiltControl> controls_;
};

struct UiFonts {
  HFONT dialog = nullptr;  // every control's font
  HFONT link = nullptr;    // the link label's font
};

UiFonts CreateUiFonts();
void DeleteUiFonts(UiFonts &fonts);

// Creates every control of kMainWindowControls in table order (parents come
// before their children) and starts the timers.
ControlMap BuildControls(HWND mainWindow, const UiFonts &fonts);

}  // namespace qrwin
