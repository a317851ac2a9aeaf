// The notice's surface over the main window: its labels, title, logo and
// link colour, the desktop's message boxes and browser, and closing.
#pragma once

#include "main_window.h"
#include "notice_surface.h"

namespace qrwin {

class MainWindowNoticeSurface : public notice::NoticeSurface {
 public:
  explicit MainWindowNoticeSurface(MainWindow &window) : window_(window) {}

  void SetLabelText(const char *controlName, const std::string &gbk) override;
  void SetWindowTitle(const std::string &gbk) override;
  void ShowLogo(const std::string &pngBytes) override;
  std::uint32_t LinkColour() override;
  void SetLinkColour(std::uint32_t colour) override;
  void ShowMessage(const std::string &caption, const std::string &text) override;
  bool ConfirmOkCancel(const std::string &caption, const std::string &text) override;
  void OpenAddress(const std::string &address) override;
  void CloseMainWindow() override;

 private:
  MainWindow &window_;
};

}  // namespace qrwin
