#include "window_builder.h"

#include <commctrl.h>

#include <cstring>

#include "control_subclass.h"
#include "picture_box.h"
#include "text_codec.h"

namespace qrwin {

using resources::ControlKind;
using resources::ControlLayout;

void ControlMap::Add(const ControlLayout *layout, HWND window) {
  controls_.push_back({layout, window});
}

const BuiltControl *ControlMap::Find(const std::string &name) const {
  for (const BuiltControl &control : controls_)
    if (name == control.layout->name) return &control;
  return nullptr;
}

const BuiltControl *ControlMap::Find(HWND window) const {
  if (!window) return nullptr;
  for (const BuiltControl &control : controls_)
    if (control.window == window) return &control;
  return nullptr;
}

UiFonts CreateUiFonts() {
  // The usual Chinese dialog font, 9 points at 96 dpi; the GB2312 character
  // set makes the font mapper pick a face with Chinese glyphs whatever the
  // system's locale.
  UiFonts fonts;
  fonts.dialog =
      CreateFontW(-12, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, GB2312_CHARSET, OUT_DEFAULT_PRECIS,
                  CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, L"SimSun");
  fonts.link =
      CreateFontW(-12, 0, 0, 0, FW_NORMAL, FALSE, TRUE, FALSE, GB2312_CHARSET, OUT_DEFAULT_PRECIS,
                  CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, L"");
  return fonts;
}

void DeleteUiFonts(UiFonts &fonts) {
  if (fonts.dialog) DeleteObject(fonts.dialog);
  if (fonts.link) DeleteObject(fonts.link);
  fonts = UiFonts();
}

namespace {

// A drop-down list's window height includes its opened list.
constexpr int kDropDownListHeight = 300;

struct WindowRecipe {
  const wchar_t *className;
  DWORD style;
  DWORD extendedStyle;
  int height;
};

WindowRecipe RecipeFor(const ControlLayout &control) {
  const DWORD child = WS_CHILD | WS_VISIBLE;
  switch (control.kind) {
    case ControlKind::GroupBox: return {L"BUTTON", child | BS_GROUPBOX, 0, control.height};
    case ControlKind::EditBox: {
      DWORD style = child | WS_TABSTOP | ES_AUTOHSCROLL;
      if (control.style & resources::kMultiLine)
        style |= ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN | WS_HSCROLL | WS_VSCROLL;
      if (control.style & resources::kCentred) style |= ES_CENTER;
      return {L"EDIT", style, WS_EX_CLIENTEDGE, control.height};
    }
    case ControlKind::TransparentLabel: {
      DWORD style = child | SS_LEFTNOWORDWRAP | SS_NOPREFIX;
      if (control.style & resources::kLinkFont) style |= SS_NOTIFY;
      return {L"STATIC", style, WS_EX_TRANSPARENT, control.height};
    }
    case ControlKind::Label: return {L"STATIC", child | SS_LEFT | SS_NOPREFIX, 0, control.height};
    case ControlKind::Button:
      return {L"BUTTON", child | WS_TABSTOP | BS_PUSHBUTTON, 0, control.height};
    case ControlKind::ComboBox:
      return {L"COMBOBOX", child | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST, 0,
              control.height + kDropDownListHeight};
    case ControlKind::PictureBox: {
      DWORD style = child;
      if (control.style & resources::kBorder) style |= WS_BORDER;
      if (control.style & resources::kStretch) style |= kPictureBoxStretch;
      return {kPictureBoxClass, style, 0, control.height};
    }
    case ControlKind::Timer:
    case ControlKind::FileDialog: break;
  }
  return {nullptr, 0, 0, 0};
}

void AddComboItems(HWND combo, const ControlLayout &control) {
  if (!control.items) return;
  const char *item = control.items;
  while (*item) {
    const char *end = std::strchr(item, '\n');
    const std::string text = end ? std::string(item, end) : std::string(item);
    SendMessageW(combo, CB_ADDSTRING, 0,
                 reinterpret_cast<LPARAM>(qrtext::WideFromUtf8(text).c_str()));
    if (!end) break;
    item = end + 1;
  }
  SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(control.selected), 0);
}

// A closed drop-down list is as high as its selection field plus a frame
// the system decides (and Wine's CB_SETITEMHEIGHT adds to the height it is
// given), so the field is adjusted until the whole box is `height`.
void FitSelectionField(HWND combo, int height) {
  int field = static_cast<int>(SendMessageW(combo, CB_GETITEMHEIGHT, static_cast<WPARAM>(-1), 0));
  for (int attempt = 0; attempt < 4 && field > 0; ++attempt) {
    RECT rect;
    GetWindowRect(combo, &rect);
    const int error = height - (rect.bottom - rect.top);
    if (error == 0 || field + error < 1) return;
    field += error;
    SendMessageW(combo, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), field);
  }
}

HWND CreateControl(HWND parent, const ControlLayout &control, const UiFonts &fonts) {
  const WindowRecipe recipe = RecipeFor(control);
  if (!recipe.className) return nullptr;
  const HINSTANCE instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(parent, GWLP_HINSTANCE));
  const std::wstring text = qrtext::WideFromUtf8(control.text);
  HWND window =
      CreateWindowExW(recipe.extendedStyle, recipe.className, text.c_str(), recipe.style,
                      control.left, control.top, control.width, recipe.height, parent,
                      reinterpret_cast<HMENU>(static_cast<INT_PTR>(control.id)), instance, nullptr);
  if (!window) return nullptr;
  const bool link = (control.style & resources::kLinkFont) != 0;
  SendMessageW(window, WM_SETFONT, reinterpret_cast<WPARAM>(link ? fonts.link : fonts.dialog),
               FALSE);

  switch (control.kind) {
    case ControlKind::GroupBox: SubclassGroupBox(window); break;
    case ControlKind::EditBox:
      SendMessageW(window, EM_SETLIMITTEXT, 0, 0);  // no length limit
      SubclassEditBox(window);
      break;
    case ControlKind::ComboBox:
      AddComboItems(window, control);
      FitSelectionField(window, control.height);
      break;
    case ControlKind::TransparentLabel:
      SubclassTransparentLabel(window, resources::kMainWindow.background);
      if (link) SubclassLinkLabel(window);
      break;
    default: break;
  }
  return window;
}

}  // namespace

ControlMap BuildControls(HWND mainWindow, const UiFonts &fonts) {
  ControlMap controls;
  for (const ControlLayout &control : resources::kMainWindowControls) {
    HWND parent = mainWindow;
    if (control.parent) {
      const BuiltControl *parentControl = controls.Find(control.parent);
      if (parentControl && parentControl->window) parent = parentControl->window;
    }
    HWND window = CreateControl(parent, control, fonts);
    if (control.kind == ControlKind::Timer)
      SetTimer(mainWindow, static_cast<UINT_PTR>(control.id), static_cast<UINT>(control.intervalMs),
               nullptr);
    controls.Add(&control, window);
  }
  return controls;
}

}  // namespace qrwin
