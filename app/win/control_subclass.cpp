#include "control_subclass.h"

#include <string>

#include "window_subclass_functions.h"

namespace qrwin {
namespace {

constexpr wchar_t kSettingTextProperty[] = L"QRSettingText";

constexpr wchar_t kTransparentLabelProperty[] = L"QRTransparentLabel";

bool IsTransparentLabel(HWND window) {
  return GetPropW(window, kTransparentLabelProperty) != nullptr;
}

RECT RectInParent(HWND window) {
  RECT rect;
  GetWindowRect(window, &rect);
  MapWindowPoints(HWND_DESKTOP, GetParent(window), reinterpret_cast<POINT *>(&rect), 2);
  return rect;
}

LRESULT CALLBACK GroupBoxProc(HWND box, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                              DWORD_PTR) {
  switch (message) {
    case WM_ERASEBKGND: {
      // Transparent labels paint their own background; erasing under
      // them would show them blank until they do.
      const HDC dc = reinterpret_cast<HDC>(wParam);
      const int saved = SaveDC(dc);
      for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (!IsTransparentLabel(child) || !IsWindowVisible(child)) continue;
        const RECT label = RectInParent(child);
        ExcludeClipRect(dc, label.left, label.top, label.right, label.bottom);
      }
      RECT client;
      GetClientRect(box, &client);
      FillRect(dc, &client, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
      RestoreDC(dc, saved);
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
    case WM_NCDESTROY: WindowSubclass().removeSubclass(box, GroupBoxProc, 0); break;
  }
  return WindowSubclass().defaultProcedure(box, message, wParam, lParam);
}

LRESULT CALLBACK EditBoxProc(HWND edit, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                             DWORD_PTR) {
  switch (message) {
    case WM_SETTEXT: {
      SetPropW(edit, kSettingTextProperty, reinterpret_cast<HANDLE>(1));
      const LRESULT result = WindowSubclass().defaultProcedure(edit, message, wParam, lParam);
      RemovePropW(edit, kSettingTextProperty);
      SendMessageW(GetParent(edit), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(edit), EN_CHANGE),
                   reinterpret_cast<LPARAM>(edit));
      return result;
    }
    case WM_NCDESTROY: WindowSubclass().removeSubclass(edit, EditBoxProc, 0); break;
  }
  return WindowSubclass().defaultProcedure(edit, message, wParam, lParam);
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
    case WM_NCDESTROY: WindowSubclass().removeSubclass(label, LinkLabelProc, 0); break;
  }
  return WindowSubclass().defaultProcedure(label, message, wParam, lParam);
}

// Applies `action` to the other visible transparent labels that overlap
// `label`, with their rectangles in the parent's coordinates.
template <typename Action>
void ForOverlappingLabels(HWND label, Action action) {
  const RECT own = RectInParent(label);
  for (HWND sibling = GetWindow(GetParent(label), GW_CHILD); sibling;
       sibling = GetWindow(sibling, GW_HWNDNEXT)) {
    if (sibling == label || !IsTransparentLabel(sibling) || !IsWindowVisible(sibling)) continue;
    const RECT other = RectInParent(sibling);
    RECT overlap;
    if (IntersectRect(&overlap, &own, &other)) action(sibling, other);
  }
}

// The label's text as the static control draws it (SS_LEFTNOWORDWRAP,
// SS_NOPREFIX), in its font and in the colour its parent gives, with its
// top-left corner at `origin`.
void DrawLabelText(HDC dc, HWND label, POINT origin) {
  const int length = GetWindowTextLengthW(label);
  std::wstring text(static_cast<size_t>(length) + 1, L'\0');
  text.resize(static_cast<size_t>(GetWindowTextW(label, &text[0], length + 1)));
  RECT rect;
  GetClientRect(label, &rect);
  OffsetRect(&rect, origin.x, origin.y);
  const HGDIOBJ oldFont =
      SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(label, WM_GETFONT, 0, 0)));
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
  SendMessageW(GetParent(label), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
               reinterpret_cast<LPARAM>(label));
  DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &rect,
            DT_LEFT | DT_EXPANDTABS | DT_NOPREFIX);
  SelectObject(dc, oldFont);
}

void PaintTransparentLabel(HWND label) {
  PAINTSTRUCT paint;
  const HDC screen = BeginPaint(label, &paint);
  RECT client;
  GetClientRect(label, &client);
  const HDC memory = CreateCompatibleDC(screen);
  const HBITMAP bitmap = CreateCompatibleBitmap(screen, client.right, client.bottom);
  const HGDIOBJ oldBitmap = SelectObject(memory, bitmap);

  const UINT_PTR backgroundPlusOne =
      reinterpret_cast<UINT_PTR>(GetPropW(label, kTransparentLabelProperty));
  const HBRUSH background = CreateSolidBrush(static_cast<COLORREF>(backgroundPlusOne - 1));
  FillRect(memory, &client, background);
  DeleteObject(background);
  const RECT own = RectInParent(label);
  ForOverlappingLabels(label, [&](HWND sibling, const RECT &other) {
    DrawLabelText(memory, sibling, POINT{other.left - own.left, other.top - own.top});
  });
  DrawLabelText(memory, label, POINT{0, 0});
  BitBlt(screen, 0, 0, client.right, client.bottom, memory, 0, 0, SRCCOPY);

  SelectObject(memory, oldBitmap);
  DeleteObject(bitmap);
  DeleteDC(memory);
  EndPaint(label, &paint);
}

LRESULT CALLBACK TransparentLabelProc(HWND label, UINT message, WPARAM wParam, LPARAM lParam,
                                      UINT_PTR, DWORD_PTR) {
  switch (message) {
    case WM_SETTEXT: {
      // Only the text is stored: the static control would draw the new
      // text over the old one at once, without a background.
      const LRESULT result = DefWindowProcW(label, message, wParam, lParam);
      RepaintTransparentLabel(label);
      return result;
    }
    case WM_ERASEBKGND: return 1;  // the paint below covers every pixel
    case WM_PAINT: PaintTransparentLabel(label); return 0;
    case WM_NCDESTROY:
      RemovePropW(label, kTransparentLabelProperty);
      WindowSubclass().removeSubclass(label, TransparentLabelProc, 0);
      break;
  }
  return WindowSubclass().defaultProcedure(label, message, wParam, lParam);
}

}  // namespace

void SubclassTransparentLabel(HWND label, COLORREF background) {
  // Stored plus one, so that black still reads as present.
  SetPropW(label, kTransparentLabelProperty,
           reinterpret_cast<HANDLE>(static_cast<UINT_PTR>(background) + 1));
  WindowSubclass().setSubclass(label, TransparentLabelProc, 0, 0);
}

// The label's own paint covers the overlaps with its siblings too (labels
// do not clip their siblings), and draws their texts there.
void RepaintTransparentLabel(HWND label) {
  RedrawWindow(label, nullptr, nullptr, RDW_INVALIDATE | RDW_NOERASE);
}

void SubclassGroupBox(HWND groupBox) { WindowSubclass().setSubclass(groupBox, GroupBoxProc, 0, 0); }

void SubclassEditBox(HWND editBox) { WindowSubclass().setSubclass(editBox, EditBoxProc, 0, 0); }

bool IsSettingText(HWND editBox) { return GetPropW(editBox, kSettingTextProperty) != nullptr; }

void SubclassLinkLabel(HWND label) { WindowSubclass().setSubclass(label, LinkLabelProc, 0, 0); }

}  // namespace qrwin
