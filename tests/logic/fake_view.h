// In-memory main window built from the layout table: every control with its
// layout text, width and items, every change logged, edit-box changes and
// clicks raised as events the way the window layer raises them. A name that
// is not in the layout, or a control of the wrong kind, throws.
#pragma once

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "control_event.h"
#include "main_window_layout.h"
#include "main_window_view.h"

namespace qrapp::testing {

class FakeView : public MainWindowView {
 public:
  FakeView();

  std::string Text(const std::string &name) override { return texts.at(Known(name)); }
  void SetText(const std::string &name, const std::string &utf8) override;
  int SelectedIndex(const std::string &name) override;
  void AddItem(const std::string &name, const std::string &utf8) override;
  void Select(const std::string &name, int index) override;
  int Width(const std::string &name) override { return widths.at(Known(name)); }
  void SetWidth(const std::string &name, int pixels) override;
  void SetPicture(const std::string &name, const std::string &bytes) override;
  std::string Picture(const std::string &name) override;
  void Repaint() override { ++repaints; }
  void ShowMessage(const std::string &caption, const std::string &text) override {
    messages.push_back({caption, text});
  }
  bool ChooseFolder(const std::string &title, std::string &folder) override;
  bool ChooseSaveFile(std::string &path) override;
  bool EditOptions(std::vector<int> &choices) override;
  bool ProcessPendingInput() override {
    ++inputPumps;
    if (onPendingInput) onPendingInput();
    return !closing;
  }
  bool ChooseImportFile(std::string &path) override {
    ++importDialogs;
    if (importPath.empty()) return false;
    path = importPath;
    return true;
  }

  // Receives the events of the controls: the logic's dispatch.
  std::function<void(const std::string &name, ControlEvent event)> onEvent;
  // Types into an edit box as the user would.
  void Type(const std::string &name, const std::string &utf8);
  // Clicks a button.
  void Click(const std::string &name);

  std::map<std::string, std::string> texts;
  std::map<std::string, std::vector<std::string>> items;
  std::map<std::string, int> selected;
  std::map<std::string, int> widths;
  std::map<std::string, std::string> pictures;
  std::vector<std::pair<std::string, std::string>> messages;
  std::vector<std::string> log;  // "name=value" for texts and widths, in order
  int repaints = 0;
  int pictureSets = 0;  // SetPicture calls

  // Answers of the dialogs.
  bool folderConfirmed = true;
  std::string folderChosen;
  std::string folderTitle;
  int folderDialogs = 0;
  bool saveConfirmed = true;
  std::string savePath;
  int saveDialogs = 0;
  bool optionsConfirmed = true;
  std::vector<int> optionsShown;   // the choices the dialog opened with
  std::vector<int> optionsChosen;  // what the user picks (empty: keeps them)
  int optionsDialogs = 0;
  // Input handled while the batch runs: what the user does then, and a
  // window being closed.
  std::function<void()> onPendingInput;
  bool closing = false;
  int inputPumps = 0;
  std::string importPath;  // the import dialog's answer; empty: cancelled
  int importDialogs = 0;

 private:
  // The name, when the layout has such a control (of `kind`, if given).
  static const std::string &Known(const std::string &name);
  static const std::string &Known(const std::string &name, resources::ControlKind kind);
  void Raise(const std::string &name, ControlEvent event);
};

// The layout's default input: 测试数据, 20210706001, 20210706002, each ended.
std::string DefaultInput();

}  // namespace qrapp::testing
