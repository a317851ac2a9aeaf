// In-memory main window: control contents in maps, every change logged, and
// edit-box changes raised as events the way the window layer raises them.
#pragma once

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "main_window_view.h"

namespace qrapp::testing {

class FakeView : public MainWindowView {
 public:
  FakeView();

  std::string Text(const std::string &name) override { return texts[name]; }
  void SetText(const std::string &name, const std::string &gbk) override;
  int SelectedIndex(const std::string &name) override;
  void AddItem(const std::string &name, const std::string &gbk) override {
    items[name].push_back(gbk);
  }
  void Select(const std::string &name, int index) override { selected[name] = index; }
  int Width(const std::string &name) override { return widths[name]; }
  void SetWidth(const std::string &name, int pixels) override;
  void SetPicture(const std::string &name, const std::string &bytes) override {
    pictures[name] = bytes;
  }
  std::string Picture(const std::string &name) override { return pictures[name]; }
  void Repaint() override { ++repaints; }
  void ShowMessage(const std::string &caption, const std::string &text) override {
    messages.push_back({caption, text});
  }
  bool ChooseFolder(const std::string &title, std::string &folder) override;
  bool ChooseSaveFile(std::string &path) override;

  // Raised after an edit box's content was set (by the program or the user).
  std::function<void(const std::string &name)> onEditChanged;
  // Types into an edit box as the user would.
  void Type(const std::string &name, const std::string &gbk) { SetText(name, gbk); }

  std::map<std::string, std::string> texts;
  std::map<std::string, std::vector<std::string>> items;
  std::map<std::string, int> selected;
  std::map<std::string, int> widths;
  std::map<std::string, std::string> pictures;
  std::vector<std::pair<std::string, std::string>> messages;
  std::vector<std::string> log;  // "name=value" for texts and widths, in order
  int repaints = 0;

  // Answers of the dialogs.
  bool folderConfirmed = true;
  std::string folderChosen;
  std::string folderTitle;
  int folderDialogs = 0;
  bool saveConfirmed = true;
  std::string savePath;
  int saveDialogs = 0;
};

// The layout's default input: 测试数据, 20210706001, 20210706002, each ended.
std::string DefaultInput();

}  // namespace qrapp::testing
