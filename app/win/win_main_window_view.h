// MainWindowView over the Win32 main window: the logic's UTF-8 texts and
// paths become the window's UTF-16 texts, whatever the system's code page.
#pragma once

#include "main_window.h"
#include "main_window_view.h"

namespace qrwin {

class WinMainWindowView : public qrapp::MainWindowView {
 public:
  explicit WinMainWindowView(MainWindow &window) : window_(window) {}

  std::string Text(const std::string &name) override;
  void SetText(const std::string &name, const std::string &utf8) override;
  int SelectedIndex(const std::string &name) override;
  void AddItem(const std::string &name, const std::string &utf8) override;
  void Select(const std::string &name, int index) override;
  int Width(const std::string &name) override;
  void SetWidth(const std::string &name, int pixels) override;
  void SetPicture(const std::string &name, const std::string &bytes) override;
  std::string Picture(const std::string &name) override;
  void Repaint() override;
  void ShowMessage(const std::string &caption, const std::string &text) override;
  bool ChooseFolder(const std::string &title, std::string &folder) override;
  bool ChooseSaveFile(std::string &path) override;
  bool EditOptions(std::vector<int> &choices) override;
  bool ProcessPendingInput() override;
  bool ChooseImportFile(std::string &path) override;

 private:
  MainWindow &window_;
};

}  // namespace qrwin
