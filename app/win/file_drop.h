// Files dropped on a control from the shell (Explorer): the first file's
// path goes to the main window as kFileDroppedMessage.
#pragma once

#include <windows.h>

namespace qrwin {

// Sent (not posted) to the control's top-level window when a file is
// dropped on it; lParam is the file's path, a const wchar_t * valid during
// the call.
constexpr UINT kFileDroppedMessage = WM_APP + 2;

// Lets `control` take files dropped on it.
void AcceptDroppedFiles(HWND control);

}  // namespace qrwin
