// Behaviour added to standard controls by subclassing.
#pragma once

#include <windows.h>

namespace qrwin {

// Sent to the main window when the left button is pressed on a link label;
// wParam is the label's control id.
constexpr UINT kLinkPressedMessage = WM_APP + 1;

// Group boxes: erase to white, and pass the notifications and colour
// requests of the controls inside them on to the main window.
void SubclassGroupBox(HWND groupBox);

// Edit boxes: every WM_SETTEXT raises EN_CHANGE exactly once, whether or not
// the text changes and whatever the edit control itself would send.
void SubclassEditBox(HWND editBox);
// True while the edit box handles WM_SETTEXT: its own EN_CHANGE
// notifications then are not passed on.
bool IsSettingText(HWND editBox);

// Link labels: hand cursor, and kLinkPressedMessage on the button press.
void SubclassLinkLabel(HWND label);

// Transparent labels: drawn off screen, background (the parent's colour),
// the texts of overlapping transparent labels and their own text, and put
// on the screen in one step, so that no new text or colour ever shows them
// blank or half drawn. A new text repaints them at once.
void SubclassTransparentLabel(HWND label, COLORREF background);
// Repaints a transparent label without erasing.
void RepaintTransparentLabel(HWND label);

}  // namespace qrwin
