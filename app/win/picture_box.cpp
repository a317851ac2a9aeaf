#include "picture_box.h"

#include <optional>
#include <utility>

namespace qrwin {

const wchar_t kPictureBoxClass[] = L"QRPictureBox";

namespace {

struct PictureBoxState {
  std::vector<std::uint8_t> bytes;
  std::optional<DibPicture> picture;
};

PictureBoxState *StateOf(HWND box) {
  return reinterpret_cast<PictureBoxState *>(GetWindowLongPtrW(box, GWLP_USERDATA));
}

void Paint(HWND box) {
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(box, &paint);
  RECT client;
  GetClientRect(box, &client);
  FillRect(dc, &client, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  const PictureBoxState *state = StateOf(box);
  if (state && state->picture) {
    const DibPicture &picture = *state->picture;
    const bool stretch = (GetWindowLongW(box, GWL_STYLE) & kPictureBoxStretch) != 0;
    const int width = stretch ? client.right : picture.width;
    const int height = stretch ? client.bottom : picture.height;
    // Whole-pixel copies keep the modules of a symbol sharp.
    SetStretchBltMode(dc, COLORONCOLOR);
    StretchDIBits(dc, 0, 0, width, height, 0, 0, picture.width, picture.height, picture.bits.data(),
                  picture.Info(), DIB_RGB_COLORS, SRCCOPY);
  }
  EndPaint(box, &paint);
}

LRESULT CALLBACK PictureBoxProc(HWND box, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_NCCREATE:
      SetWindowLongPtrW(box, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(new PictureBoxState));
      break;
    case WM_NCDESTROY:
      delete StateOf(box);
      SetWindowLongPtrW(box, GWLP_USERDATA, 0);
      break;
    case WM_ERASEBKGND: return 1;  // WM_PAINT covers the whole client area
    case WM_PAINT: Paint(box); return 0;
  }
  return DefWindowProcW(box, message, wParam, lParam);
}

void Assign(HWND box, std::vector<std::uint8_t> bytes, std::optional<DibPicture> picture) {
  PictureBoxState *state = StateOf(box);
  if (!state) return;
  state->bytes = std::move(bytes);
  state->picture = std::move(picture);
  InvalidateRect(box, nullptr, FALSE);
}

}  // namespace

void RegisterPictureBoxClass(HINSTANCE instance) {
  WNDCLASSW windowClass = {};
  windowClass.lpfnWndProc = PictureBoxProc;
  windowClass.hInstance = instance;
  windowClass.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
  windowClass.lpszClassName = kPictureBoxClass;
  RegisterClassW(&windowClass);
}

void SetPictureBoxBytes(HWND box, std::vector<std::uint8_t> bytes) {
  std::optional<DibPicture> picture = DecodeBitmapFile(bytes);
  Assign(box, std::move(bytes), std::move(picture));
}

void SetPictureBoxPicture(HWND box, std::vector<std::uint8_t> bytes, DibPicture picture) {
  Assign(box, std::move(bytes), std::move(picture));
}

std::vector<std::uint8_t> PictureBoxBytes(HWND box) {
  const PictureBoxState *state = StateOf(box);
  return state ? state->bytes : std::vector<std::uint8_t>();
}

}  // namespace qrwin
