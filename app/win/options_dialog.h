// The options dialog, built from its layout table (options_dialog_layout.h):
// one label and one drop-down list per row, then 确定 and 取消. Modal to
// its owner.
#pragma once

#include <windows.h>

#include <vector>

namespace qrwin {

void RegisterOptionsDialogClass(HINSTANCE instance);

// Shows `choices` (one per row); true with the user's choices after 确定,
// false (choices untouched) after 取消, Esc or closing.
bool RunOptionsDialog(HWND owner, HFONT font, std::vector<int> &choices);

}  // namespace qrwin
