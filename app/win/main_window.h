// The one main window: built from the layout table, with its controls
// addressed by their layout names (UTF-8) and texts in UTF-16. Control
// events go to the sink given at creation.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "control_event.h"
#include "dib_picture.h"
#include "window_builder.h"

namespace qrwin {

// Receives every control event: edit-box changes, button clicks, timer
// ticks and presses on link labels, by the control's layout name.
using ControlEventSink = std::function<void(const std::string &name, qrapp::ControlEvent event)>;

class MainWindow {
 public:
  static void RegisterClasses(HINSTANCE instance);

  MainWindow() = default;
  MainWindow(const MainWindow &) = delete;
  MainWindow &operator=(const MainWindow &) = delete;
  ~MainWindow();

  // Creates the window centred on the screen with all its controls, hidden.
  bool Create(HINSTANCE instance, ControlEventSink events);
  HWND Handle() const { return window_; }

  std::wstring Text(const std::string &name) const;
  void SetText(const std::string &name, const std::wstring &text);
  void SetTitle(const std::wstring &title);

  int SelectedIndex(const std::string &name) const;
  void AddItem(const std::string &name, const std::wstring &text);
  void Select(const std::string &name, int index);

  int Width(const std::string &name) const;
  void SetWidth(const std::string &name, int pixels);

  std::uint32_t TextColour(const std::string &name) const;  // 0x00BBGGRR
  void SetTextColour(const std::string &name, std::uint32_t colour);

  // Picture boxes: bitmap-file bytes, or bytes with a picture decoded elsewhere.
  void SetPicture(const std::string &name, std::vector<std::uint8_t> bytes);
  void SetPicture(const std::string &name, std::vector<std::uint8_t> bytes, DibPicture picture);
  std::vector<std::uint8_t> Picture(const std::string &name) const;

  // Paints whatever changed at once, without taking any other message.
  void Repaint();

  // A modal message box with an OK button, owned by the main window.
  void ShowMessage(const std::wstring &caption, const std::wstring &text);

  // Shell folder browser owned by the active window, with a new-folder
  // button; false on cancel or a choice without a file-system path.
  bool ChooseFolder(const std::wstring &title, std::wstring &folder);
  // The save dialog 通用对话框1.
  bool ChooseSaveFile(std::wstring &path);
  // The options dialog, modal; true with the new choices after 确定.
  bool EditOptions(std::vector<int> &choices);

  // Open dialog for one existing file; `filter` is the dialog's filter
  // list (pairs of description and patterns, each ended by a zero).
  bool ChooseOpenFile(const std::wstring &filter, std::wstring &path);
  // Files dropped on the control `name` go to `sink` (the first file's path).
  using FileDropSink = std::function<void(const std::wstring &path)>;
  void AcceptDroppedFiles(const std::string &name, FileDropSink sink);
  // Handles the messages waiting in the thread's queue, during a long
  // handler; false once the window is gone or the program is quitting (the
  // quit message is posted again for the main loop).
  bool ProcessPendingInput();

 private:
  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);
  void OnCommand(HWND control, int code);
  void Raise(const resources::ControlLayout *control, qrapp::ControlEvent event);
  LRESULT OnControlColour(HDC dc, HWND control);
  HWND WindowOf(const std::string &name) const;
  // Repaints the parent behind a control that draws no background of its own.
  void InvalidateBehind(HWND control, const RECT *extraInParent = nullptr);

  HWND window_ = nullptr;
  ControlEventSink events_;
  UiFonts fonts_;
  ControlMap controls_;
  std::vector<std::pair<HWND, std::uint32_t>> textColours_;
  HBRUSH backgroundBrush_ = nullptr;
  std::vector<std::pair<HWND, HBRUSH>> labelBrushes_;
  std::wstring saveDialogFolder_;  // empty: the system's default
  FileDropSink fileDropSink_;
};

}  // namespace qrwin
