#include "control_subclass.h"

#include <commctrl.h>

namespace qrwin {
namespace {

constexpr wchar_t kSettingTextProperty[] = L"QRSettingText";

LRESULT CALLBACK GroupBoxProc(HWND box, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                              DWORD_PTR) {
  switch (message) {
    case WM_ERASEBKGND: {
      RECT client;
      GetClientRect(box, &client);
      FillRect(reinterpret_cast<HDC>(wParam), &client,
               static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
      return 1;
    }
    case WM_COMMAND:
    case WM_NOTIFY:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case kLinkPressedMessage:
      return SendMessageW(GetAncestor(box, GA_ROOT), message, wParam, lParam);
    case WM_NCDESTROY:
      RemoveWindowSubclass(box, GroupBoxProc, 0);
      break;
  }
  return DefSubclassProc(box, message, wParam, lParam);
}

LRESULT CALLBACK EditBoxProc(HWND edit, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                             DWORD_PTR) {
  switch (message) {
    case WM_SETTEXT: {
      SetPropW(edit, kSettingTextProperty, reinterpret_cast<HANDLE>(1));
      const LRESULT result = DefSubclassProc(edit, message, wParam, lParam);
      RemovePropW(edit, kSettingTextProperty);
      SendMessageW(GetParent(edit), WM_COMMAND,
                   MAKEWPARAM(GetDlgCtrlID(edit), EN_CHANGE), reinterpret_cast<LPARAM>(edit));
      return result;
    }
    case WM_NCDESTROY:
      RemoveWindowSubclass(edit, EditBoxProc, 0);
      break;
  }
  return DefSubclassProc(edit, message, wParam, lParam);
}

LRESULT CALLBACK LinkLabelProc(HWND label, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                               DWORD_PTR) {
  switch (message) {
    case WM_SETCURSOR:
      SetCursor(LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_HAND)));
      return TRUE;
    case WM_LBUTTONDOWN:
      SendMessageW(GetParent(label), kLinkPressedMessage, GetDlgCtrlID(label), 0);
      return 0;
    case WM_NCDESTROY:
      RemoveWindowSubclass(label, LinkLabelProc, 0);
      break;
  }
  return DefSubclassProc(label, message, wParam, lParam);
}

}  // namespace

void SubclassGroupBox(HWND groupBox) { SetWindowSubclass(groupBox, GroupBoxProc, 0, 0); }

void SubclassEditBox(HWND editBox) { SetWindowSubclass(editBox, EditBoxProc, 0, 0); }

bool IsSettingText(HWND editBox) { return GetPropW(editBox, kSettingTextProperty) != nullptr; }

void SubclassLinkLabel(HWND label) { SetWindowSubclass(label, LinkLabelProc, 0, 0); }

}  // namespace qrwin
