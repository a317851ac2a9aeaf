#include "options_dialog.h"

#include <iterator>
#include <string>

#include "options_dialog_layout.h"
#include "text_codec.h"
#include "window_options.h"

namespace qrwin {

namespace {

using resources::kOptionRows;
using resources::kOptionsDialog;

constexpr int kRowCount = static_cast<int>(std::size(kOptionRows));

struct DialogState {
  std::vector<int> *choices;
  bool confirmed = false;
  bool done = false;
};

const wchar_t *ClassName() {
  static const std::wstring name = qrtext::WideFromUtf8(kOptionsDialog.className);
  return name.c_str();
}

int ClientWidth() {
  return 2 * kOptionsDialog.margin + kOptionsDialog.labelWidth + kOptionsDialog.listWidth;
}

int ButtonsTop() { return kOptionsDialog.margin + kRowCount * kOptionsDialog.rowHeight + 4; }

int ClientHeight() { return ButtonsTop() + kOptionsDialog.controlHeight + kOptionsDialog.margin; }

HWND Child(HWND parent, const wchar_t *className, const std::string &text, DWORD style, int id,
           int left, int top, int width, int height, HFONT font) {
  HWND window = CreateWindowExW(
      0, className, qrtext::WideFromUtf8(text).c_str(), WS_CHILD | WS_VISIBLE | style, left, top,
      width, height, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), nullptr, nullptr);
  SendMessageW(window, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  return window;
}

void BuildRows(HWND dialog, HFONT font, const std::vector<int> &choices) {
  const auto &d = kOptionsDialog;
  for (int i = 0; i < kRowCount; ++i) {
    const resources::OptionRow &row = kOptionRows[i];
    const int top = d.margin + i * d.rowHeight;
    Child(dialog, L"STATIC", row.label, SS_LEFT, -1, d.margin, top + 3, d.labelWidth,
          d.controlHeight, font);
    HWND list =
        Child(dialog, L"COMBOBOX", "", CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP,
              d.firstListId + i, d.margin + d.labelWidth, top, d.listWidth, d.listHeight, font);
    for (size_t k = 0; k < row.choiceCount; ++k)
      SendMessageW(list, CB_ADDSTRING, 0,
                   reinterpret_cast<LPARAM>(qrtext::WideFromUtf8(row.choices[k].text).c_str()));
    int chosen = static_cast<size_t>(i) < choices.size() ? choices[i] : row.defaultChoice;
    // A row this build cannot offer shows why, disabled; it keeps its default.
    const char *note = nullptr;
    if (!qrapp::OptionRowAvailable(static_cast<size_t>(i), &note)) {
      chosen = static_cast<int>(SendMessageW(
          list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(qrtext::WideFromUtf8(note).c_str())));
      EnableWindow(list, FALSE);
    }
    SendMessageW(list, CB_SETCURSEL, static_cast<WPARAM>(chosen), 0);
  }
  const int right = ClientWidth() - d.margin;
  Child(dialog, L"BUTTON", d.cancelText, BS_PUSHBUTTON | WS_TABSTOP, d.cancelId,
        right - d.buttonWidth, ButtonsTop(), d.buttonWidth, d.controlHeight, font);
  Child(dialog, L"BUTTON", d.okText, BS_DEFPUSHBUTTON | WS_TABSTOP, d.okId,
        right - 2 * d.buttonWidth - d.buttonGap, ButtonsTop(), d.buttonWidth, d.controlHeight,
        font);
}

void Finish(HWND dialog, DialogState &state, bool confirmed) {
  if (confirmed) {
    state.choices->assign(kRowCount, 0);
    for (int i = 0; i < kRowCount; ++i) {
      const LRESULT chosen =
          SendDlgItemMessageW(dialog, kOptionsDialog.firstListId + i, CB_GETCURSEL, 0, 0);
      const bool offered = chosen != CB_ERR &&
                           static_cast<size_t>(chosen) < kOptionRows[i].choiceCount &&
                           qrapp::OptionRowAvailable(static_cast<size_t>(i));
      (*state.choices)[i] = offered ? static_cast<int>(chosen) : kOptionRows[i].defaultChoice;
    }
  }
  state.confirmed = confirmed;
  state.done = true;
  DestroyWindow(dialog);
}

LRESULT CALLBACK DialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    SetWindowLongPtrW(
        dialog, GWLP_USERDATA,
        reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTW *>(lParam)->lpCreateParams));
  }
  auto *state = reinterpret_cast<DialogState *>(GetWindowLongPtrW(dialog, GWLP_USERDATA));
  if (state) {
    if (message == WM_COMMAND && HIWORD(wParam) == BN_CLICKED) {
      const int id = LOWORD(wParam);
      if (id == kOptionsDialog.okId || id == kOptionsDialog.cancelId) {
        Finish(dialog, *state, id == kOptionsDialog.okId);
        return 0;
      }
    } else if (message == WM_CLOSE) {
      Finish(dialog, *state, false);
      return 0;
    }
  }
  return DefWindowProcW(dialog, message, wParam, lParam);
}

}  // namespace

void RegisterOptionsDialogClass(HINSTANCE instance) {
  WNDCLASSEXW windowClass = {};
  windowClass.cbSize = sizeof windowClass;
  windowClass.lpfnWndProc = DialogProc;
  windowClass.hInstance = instance;
  windowClass.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  windowClass.lpszClassName = ClassName();
  RegisterClassExW(&windowClass);
}

bool RunOptionsDialog(HWND owner, HFONT font, std::vector<int> &choices) {
  const DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU;
  RECT frame = {0, 0, ClientWidth(), ClientHeight()};
  AdjustWindowRectEx(&frame, style, FALSE, WS_EX_DLGMODALFRAME);
  RECT ownerRect;
  GetWindowRect(owner, &ownerRect);
  const int width = frame.right - frame.left, height = frame.bottom - frame.top;
  const int left = (ownerRect.left + ownerRect.right - width) / 2;
  const int top = (ownerRect.top + ownerRect.bottom - height) / 2;

  DialogState state;
  state.choices = &choices;
  HWND dialog = CreateWindowExW(
      WS_EX_DLGMODALFRAME, ClassName(), qrtext::WideFromUtf8(kOptionsDialog.title).c_str(), style,
      left, top, width, height, owner, nullptr,
      reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(owner, GWLP_HINSTANCE)), &state);
  if (!dialog) return false;
  BuildRows(dialog, font, choices);
  EnableWindow(owner, FALSE);
  ShowWindow(dialog, SW_SHOWNORMAL);
  // The dialog's own loop: Tab, Enter and Esc work as in a dialog box.
  MSG message;
  while (!state.done && GetMessageW(&message, nullptr, 0, 0) > 0) {
    if (message.message == WM_KEYDOWN && message.wParam == VK_ESCAPE &&
        GetAncestor(message.hwnd, GA_ROOT) == dialog) {
      Finish(dialog, state, false);
      continue;
    }
    if (message.message == WM_KEYDOWN && message.wParam == VK_RETURN &&
        GetAncestor(message.hwnd, GA_ROOT) == dialog) {
      Finish(dialog, state, true);
      continue;
    }
    if (IsDialogMessageW(dialog, &message)) continue;
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  if (message.message == WM_QUIT) PostQuitMessage(static_cast<int>(message.wParam));
  EnableWindow(owner, TRUE);
  SetActiveWindow(owner);
  return state.confirmed;
}

}  // namespace qrwin
