#pragma once
// Everything the notice does to the main window and the desktop: the one
// interface the program implements over its window. Texts are GBK.
#include <cstdint>
#include <string>

#include "info_panel.h"

namespace notice {

class NoticeSurface : public LabelWriter {
 public:
  virtual void SetWindowTitle(const std::string &title) = 0;
  // PNG bytes for the logo box; bytes that are not a PNG leave it empty.
  virtual void ShowLogo(const std::string &pngBytes) = 0;
  // The link label's text colour, 0x00BBGGRR.
  virtual std::uint32_t LinkColour() = 0;
  virtual void SetLinkColour(std::uint32_t colour) = 0;
  // Modal, OK button only, no owner window, no icon.
  virtual void ShowMessage(const std::string &caption, const std::string &text) = 0;
  // Modal, OK and Cancel; true for OK, false for Cancel or a closed box.
  virtual bool ConfirmOkCancel(const std::string &caption, const std::string &text) = 0;
  virtual void OpenAddress(const std::string &address) = 0;
  virtual void CloseMainWindow() = 0;
};

}  // namespace notice
