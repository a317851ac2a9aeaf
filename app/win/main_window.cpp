#include "main_window.h"

#include <commdlg.h>
#include <shlobj.h>

#include <utility>

#include "control_subclass.h"
#include "file_drop.h"
#include "options_dialog.h"
#include "picture_box.h"
#include "text_codec.h"

namespace qrwin {

using resources::ControlKind;

namespace {

const wchar_t *ClassName() {
  static const std::wstring name = qrtext::WideFromUtf8(resources::kMainWindow.className);
  return name.c_str();
}

constexpr UINT kFolderBrowserEditBox = 0x10;  // BIF_EDITBOX: a field for typing a path
// BIF_NEWDIALOGSTYLE: the resizable browser, with its 新建文件夹 button.
constexpr UINT kFolderBrowserNewStyle = 0x40;

// Other processes (test drivers) read a label's text colour from this
// property: colour + 1, so that black still reads as present.
void PublishTextColour(HWND control, std::uint32_t colour) {
  SetPropW(control, L"QRTextColour", reinterpret_cast<HANDLE>(static_cast<UINT_PTR>(colour) + 1));
}

RECT RectInParent(HWND control) {
  RECT rect;
  GetWindowRect(control, &rect);
  MapWindowPoints(HWND_DESKTOP, GetParent(control), reinterpret_cast<POINT *>(&rect), 2);
  return rect;
}

}  // namespace

void MainWindow::RegisterClasses(HINSTANCE instance) {
  WNDCLASSEXW windowClass = {};
  windowClass.cbSize = sizeof windowClass;
  windowClass.lpfnWndProc = WindowProc;
  windowClass.hInstance = instance;
  windowClass.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
  windowClass.hIcon = LoadIconW(nullptr, reinterpret_cast<LPCWSTR>(IDI_APPLICATION));
  windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
  windowClass.lpszClassName = ClassName();
  RegisterClassExW(&windowClass);
  RegisterPictureBoxClass(instance);
  RegisterOptionsDialogClass(instance);
}

MainWindow::~MainWindow() {
  if (window_) DestroyWindow(window_);
  for (auto &brush : labelBrushes_) DeleteObject(brush.second);
  if (backgroundBrush_) DeleteObject(backgroundBrush_);
  DeleteUiFonts(fonts_);
}

bool MainWindow::Create(HINSTANCE instance, ControlEventSink events) {
  events_ = std::move(events);
  const int width = resources::kMainWindow.outerWidth;
  const int height = resources::kMainWindow.outerHeight;
  const int left = (GetSystemMetrics(SM_CXSCREEN) - width) / 2;
  const int top = (GetSystemMetrics(SM_CYSCREEN) - height) / 2;
  // Fixed border, no maximise box; WS_CLIPCHILDREN keeps the white
  // background from flickering over the controls.
  const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
  window_ = CreateWindowExW(WS_EX_APPWINDOW, ClassName(), L"", style, left, top, width, height,
                            nullptr, nullptr, instance, this);
  return window_ != nullptr;
}

LRESULT CALLBACK MainWindow::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto *self =
        static_cast<MainWindow *>(reinterpret_cast<CREATESTRUCTW *>(lParam)->lpCreateParams);
    self->window_ = window;
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  }
  auto *self = reinterpret_cast<MainWindow *>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (!self) return DefWindowProcW(window, message, wParam, lParam);
  const LRESULT result = self->Handle(message, wParam, lParam);
  if (message == WM_NCDESTROY) {
    SetWindowLongPtrW(window, GWLP_USERDATA, 0);
    self->window_ = nullptr;
  }
  return result;
}

LRESULT MainWindow::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE:
      fonts_ = CreateUiFonts();
      backgroundBrush_ = CreateSolidBrush(resources::kMainWindow.background);
      controls_ = BuildControls(window_, fonts_);
      for (const BuiltControl &control : controls_.All()) {
        const unsigned style = control.layout->style;
        if (style & resources::kTextColour) {
          textColours_.emplace_back(control.window, control.layout->colour);
          PublishTextColour(control.window, control.layout->colour);
        }
        if (style & resources::kBackColour)
          labelBrushes_.emplace_back(control.window, CreateSolidBrush(control.layout->colour));
      }
      return 0;
    case WM_COMMAND: OnCommand(reinterpret_cast<HWND>(lParam), HIWORD(wParam)); return 0;
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
      return OnControlColour(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
    case WM_TIMER:  // the timer's id is its layout id
      Raise(resources::FindControlLayout(static_cast<int>(wParam)),
            qrapp::ControlEvent::kTimerTick);
      return 0;
    case kFileDroppedMessage:
      if (fileDropSink_) fileDropSink_(reinterpret_cast<const wchar_t *>(lParam));
      return 0;
    case kLinkPressedMessage:
      Raise(resources::FindControlLayout(static_cast<int>(wParam)),
            qrapp::ControlEvent::kLeftButtonDown);
      return 0;
    case WM_DESTROY:
      for (const auto &colour : textColours_) RemovePropW(colour.first, L"QRTextColour");
      for (const BuiltControl &control : controls_.All())
        if (control.layout->kind == ControlKind::Timer)
          KillTimer(window_, static_cast<UINT_PTR>(control.layout->id));
      PostQuitMessage(0);
      return 0;
  }
  return DefWindowProcW(window_, message, wParam, lParam);
}

void MainWindow::OnCommand(HWND controlWindow, int code) {
  const BuiltControl *control = controls_.Find(controlWindow);
  if (!control) return;
  const ControlKind kind = control->layout->kind;
  if (kind == ControlKind::EditBox && code == EN_CHANGE) {
    if (!IsSettingText(controlWindow)) Raise(control->layout, qrapp::ControlEvent::kContentChanged);
  } else if (kind == ControlKind::Button && code == BN_CLICKED) {
    Raise(control->layout, qrapp::ControlEvent::kClicked);
  }
}

void MainWindow::Raise(const resources::ControlLayout *control, qrapp::ControlEvent event) {
  if (control && events_) events_(control->name, event);
}

LRESULT MainWindow::OnControlColour(HDC dc, HWND controlWindow) {
  const BuiltControl *control = controls_.Find(controlWindow);
  if (control && control->layout->kind == ControlKind::TransparentLabel) {
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, TextColour(control->layout->name));
    return reinterpret_cast<LRESULT>(GetStockObject(NULL_BRUSH));
  }
  for (const auto &brush : labelBrushes_) {
    if (brush.first == controlWindow) {
      SetBkColor(dc, control->layout->colour);
      return reinterpret_cast<LRESULT>(brush.second);
    }
  }
  // Group boxes, buttons: black on the window's white.
  SetTextColor(dc, RGB(0, 0, 0));
  SetBkColor(dc, resources::kMainWindow.background);
  return reinterpret_cast<LRESULT>(backgroundBrush_);
}

HWND MainWindow::WindowOf(const std::string &name) const {
  const BuiltControl *control = controls_.Find(name);
  return control ? control->window : nullptr;
}

void MainWindow::InvalidateBehind(HWND control, const RECT *extraInParent) {
  RECT rect = RectInParent(control);
  if (extraInParent) UnionRect(&rect, &rect, extraInParent);
  RedrawWindow(GetParent(control), &rect, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

std::wstring MainWindow::Text(const std::string &name) const {
  HWND control = WindowOf(name);
  if (!control) return std::wstring();
  const int length = GetWindowTextLengthW(control);
  std::wstring text(static_cast<size_t>(length) + 1, L'\0');
  text.resize(static_cast<size_t>(GetWindowTextW(control, &text[0], length + 1)));
  return text;
}

void MainWindow::SetText(const std::string &name, const std::wstring &text) {
  const BuiltControl *control = controls_.Find(name);
  if (!control || !control->window) return;
  SetWindowTextW(control->window, text.c_str());
}

void MainWindow::SetTitle(const std::wstring &title) { SetWindowTextW(window_, title.c_str()); }

int MainWindow::SelectedIndex(const std::string &name) const {
  HWND control = WindowOf(name);
  return control ? static_cast<int>(SendMessageW(control, CB_GETCURSEL, 0, 0)) : -1;
}

void MainWindow::AddItem(const std::string &name, const std::wstring &text) {
  if (HWND control = WindowOf(name))
    SendMessageW(control, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

void MainWindow::Select(const std::string &name, int index) {
  if (HWND control = WindowOf(name))
    SendMessageW(control, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

int MainWindow::Width(const std::string &name) const {
  HWND control = WindowOf(name);
  if (!control) return 0;
  RECT rect;
  GetWindowRect(control, &rect);
  return rect.right - rect.left;
}

void MainWindow::SetWidth(const std::string &name, int pixels) {
  HWND control = WindowOf(name);
  if (!control) return;
  const RECT before = RectInParent(control);
  SetWindowPos(control, nullptr, 0, 0, pixels < 0 ? 0 : pixels, before.bottom - before.top,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  InvalidateBehind(control, &before);
}

std::uint32_t MainWindow::TextColour(const std::string &name) const {
  HWND control = WindowOf(name);
  for (const auto &colour : textColours_)
    if (colour.first == control) return colour.second;
  return 0;  // black
}

void MainWindow::SetTextColour(const std::string &name, std::uint32_t colour) {
  HWND control = WindowOf(name);
  if (!control) return;
  bool found = false;
  for (auto &entry : textColours_)
    if (entry.first == control) entry.second = colour, found = true;
  if (!found) textColours_.emplace_back(control, colour);
  PublishTextColour(control, colour);
  RepaintTransparentLabel(control);
}

void MainWindow::SetPicture(const std::string &name, std::vector<std::uint8_t> bytes) {
  if (HWND control = WindowOf(name)) SetPictureBoxBytes(control, std::move(bytes));
}

void MainWindow::SetPicture(const std::string &name, std::vector<std::uint8_t> bytes,
                            DibPicture picture) {
  if (HWND control = WindowOf(name))
    SetPictureBoxPicture(control, std::move(bytes), std::move(picture));
}

std::vector<std::uint8_t> MainWindow::Picture(const std::string &name) const {
  HWND control = WindowOf(name);
  return control ? PictureBoxBytes(control) : std::vector<std::uint8_t>();
}

void MainWindow::Repaint() {
  if (!window_) return;  // a null window would redraw the desktop
  RedrawWindow(window_, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
}

void MainWindow::ShowMessage(const std::wstring &caption, const std::wstring &text) {
  MessageBoxW(window_, text.c_str(), caption.c_str(), MB_OK | MB_ICONINFORMATION);
}

bool MainWindow::ChooseFolder(const std::wstring &title, std::wstring &folder) {
  BROWSEINFOW browse = {};
  browse.hwndOwner = GetActiveWindow();
  browse.lpszTitle = title.c_str();
  browse.ulFlags = kFolderBrowserEditBox | kFolderBrowserNewStyle;
  LPITEMIDLIST chosen = SHBrowseForFolderW(&browse);
  if (!chosen) return false;
  wchar_t path[MAX_PATH] = L"";
  const bool hasPath = SHGetPathFromIDListW(chosen, path) != FALSE;
  CoTaskMemFree(chosen);
  if (!hasPath) return false;
  folder = path;
  return true;
}

bool MainWindow::EditOptions(std::vector<int> &choices) {
  return RunOptionsDialog(window_, fonts_.dialog, choices);
}

bool MainWindow::ChooseOpenFile(const std::wstring &filter, std::wstring &path) {
  wchar_t fileName[MAX_PATH] = L"";
  OPENFILENAMEW open = {};
  open.lStructSize = sizeof open;
  open.hwndOwner = window_;
  open.lpstrFilter = filter.c_str();
  open.nFilterIndex = 1;
  open.lpstrFile = fileName;
  open.nMaxFile = MAX_PATH;
  open.Flags = OFN_EXPLORER | OFN_HIDEREADONLY | OFN_NOCHANGEDIR | OFN_FILEMUSTEXIST;
  if (!GetOpenFileNameW(&open)) return false;
  path = fileName;
  return true;
}

void MainWindow::AcceptDroppedFiles(const std::string &name, FileDropSink sink) {
  fileDropSink_ = std::move(sink);
  if (HWND control = WindowOf(name)) qrwin::AcceptDroppedFiles(control);
}

bool MainWindow::ProcessPendingInput() {
  MSG message;
  while (window_ && PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT) {
      PostQuitMessage(static_cast<int>(message.wParam));
      return false;
    }
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  return window_ != nullptr;
}

bool MainWindow::ChooseSaveFile(std::wstring &path) {
  const resources::ControlLayout *dialog = nullptr;
  for (const BuiltControl &control : controls_.All())
    if (control.layout->kind == ControlKind::FileDialog) dialog = control.layout;
  if (!dialog) return false;

  // One filter entry; its description is the layout's filter text.
  const std::wstring description = qrtext::WideFromUtf8(dialog->text);
  std::wstring filter = description + L'\0' + L"*" + description + L'\0' + L'\0';
  const std::wstring extension = qrtext::WideFromUtf8(dialog->defaultExtension);
  wchar_t fileName[MAX_PATH] = L"";

  OPENFILENAMEW open = {};
  open.lStructSize = sizeof open;
  open.hwndOwner = window_;
  open.lpstrFilter = filter.c_str();
  open.nFilterIndex = 1;
  open.lpstrFile = fileName;
  open.nMaxFile = MAX_PATH;
  open.lpstrInitialDir = saveDialogFolder_.empty() ? nullptr : saveDialogFolder_.c_str();
  open.lpstrDefExt = extension.c_str();
  // The current directory stays where it was: an empty destination folder
  // means the root of the current drive.
  open.Flags = OFN_EXPLORER | OFN_HIDEREADONLY | OFN_NOCHANGEDIR;
  if (!GetSaveFileNameW(&open)) return false;

  wchar_t desktop[MAX_PATH] = L"";
  if (SUCCEEDED(
          SHGetFolderPathW(nullptr, CSIDL_DESKTOPDIRECTORY, nullptr, SHGFP_TYPE_CURRENT, desktop)))
    saveDialogFolder_ = std::wstring(desktop) + L"\\";
  path = fileName;
  return true;
}

}  // namespace qrwin
