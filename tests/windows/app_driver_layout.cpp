#include "app_driver_layout.h"

#include <string>

#include "main_window_layout.h"

namespace appdriver {
namespace {

std::wstring ExpectedClass(resources::ControlKind kind) {
  switch (kind) {
    case resources::ControlKind::GroupBox:
    case resources::ControlKind::Button: return L"Button";
    case resources::ControlKind::EditBox: return L"Edit";
    case resources::ControlKind::TransparentLabel:
    case resources::ControlKind::Label: return L"Static";
    case resources::ControlKind::ComboBox: return L"ComboBox";
    case resources::ControlKind::PictureBox: return L"QRPictureBox";
    default: return L"";
  }
}

}  // namespace

void CheckMainWindow(const App &app) {
  HWND main = app.Main();
  RECT rect;
  GetWindowRect(main, &rect);
  CheckEqual(rect.right - rect.left, resources::kMainWindow.outerWidth, "main window outer width");
  CheckEqual(rect.bottom - rect.top, resources::kMainWindow.outerHeight,
             "main window outer height");
  CheckEqual(rect.left, (GetSystemMetrics(SM_CXSCREEN) - resources::kMainWindow.outerWidth) / 2,
             "centred horizontally");
  CheckEqual(rect.top, (GetSystemMetrics(SM_CYSCREEN) - resources::kMainWindow.outerHeight) / 2,
             "centred vertically");
  const LONG style = GetWindowLongW(main, GWL_STYLE);
  Check(!(style & WS_THICKFRAME), "fixed border: not resizable");
  Check(!(style & WS_MAXIMIZEBOX), "no maximise button");
  Check((style & WS_MINIMIZEBOX) && (style & WS_SYSMENU) && (style & WS_CAPTION),
        "title bar, system menu, minimise");
  CheckEqual(WindowText(main), L"", "title empty without the online notice");
}

// Every control sits at its place with its kind, style and text; texts that
// start-up writes are checked with their start-up values.
void CheckControls(const App &app) {
  for (const resources::ControlLayout &layout : resources::kMainWindowControls) {
    const std::string name = layout.name;
    if (layout.kind == resources::ControlKind::Timer ||
        layout.kind == resources::ControlKind::FileDialog)
      continue;
    HWND control = app.Control(layout.name);
    if (!Check(control != nullptr, name + " exists")) continue;
    wchar_t className[64] = L"";
    GetClassNameW(control, className, 64);
    Check(lstrcmpiW(className, ExpectedClass(layout.kind).c_str()) == 0,
          name + " is a " + Utf8(ExpectedClass(layout.kind)));
    Check(IsWindowVisible(control) && IsWindowEnabled(control), name + " visible and enabled");

    const RECT rect = RectInParent(control);
    CheckEqual(rect.left, layout.left, name + " left");
    CheckEqual(rect.top, layout.top, name + " top");
    // The progress bar's width is set to 0 by start-up (checked below).
    if (name != "标签1") CheckEqual(rect.right - rect.left, layout.width, name + " width");
    // A closed drop-down list is as high as its font makes it.
    if (layout.kind != resources::ControlKind::ComboBox)
      CheckEqual(rect.bottom - rect.top, layout.height, name + " height");

    const LONG style = GetWindowLongW(control, GWL_STYLE);
    const LONG extended = GetWindowLongW(control, GWL_EXSTYLE);
    switch (layout.kind) {
      case resources::ControlKind::EditBox:
        Check((extended & WS_EX_CLIENTEDGE) != 0, name + " sunken border");
        CheckEqual((style & ES_MULTILINE) != 0, (layout.style & resources::kMultiLine) != 0,
                   name + " multi-line");
        CheckEqual((style & ES_CENTER) != 0, (layout.style & resources::kCentred) != 0,
                   name + " centred");
        if (layout.style & resources::kMultiLine)
          Check((style & WS_HSCROLL) && (style & WS_VSCROLL), name + " scroll bars");
        break;
      case resources::ControlKind::TransparentLabel:
        Check((extended & WS_EX_TRANSPARENT) != 0, name + " transparent");
        break;
      case resources::ControlKind::ComboBox:
        CheckEqual(style & 3, CBS_DROPDOWNLIST, name + " drop-down list");
        break;
      case resources::ControlKind::PictureBox:
        CheckEqual((style & WS_BORDER) != 0, (layout.style & resources::kBorder) != 0,
                   name + " border");
        break;
      default: break;
    }

    std::wstring expected = Wide(layout.text);
    if (name == "透明标签5") expected = L"3";  // start-up counts the default input
    if (layout.kind == resources::ControlKind::ComboBox)
      expected = name == "组合框_版本1" ? L"自动" : L"L(5%)";
    if (name == "透明标签20") {  // the clock rewrites it every tick
      Check(app.Text(layout.name).rfind(expected, 0) == 0,
            name + " text starts with the layout caption");
    } else if (layout.kind != resources::ControlKind::PictureBox) {
      CheckEqual(app.Text(layout.name), expected, name + " text");
    }
  }
  CheckEqual(app.Width("标签1"), 0, "progress bar starts at width 0");

  HWND versions = app.Control("组合框_版本1");
  CheckEqual(SendMessageW(versions, CB_GETCOUNT, 0, 0), 41, "version list items");
  CheckEqual(SendMessageW(versions, CB_GETCURSEL, 0, 0), 0, "version list selection");
  HWND levels = app.Control("组合框_纠错1");
  CheckEqual(SendMessageW(levels, CB_GETCOUNT, 0, 0), 4, "level list items");
  CheckEqual(SendMessageW(levels, CB_GETCURSEL, 0, 0), 0, "level list selection");
}

}  // namespace appdriver
