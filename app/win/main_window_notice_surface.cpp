#include "main_window_notice_surface.h"

#include <optional>
#include <utility>

#include "control_names.h"
#include "desktop.h"
#include "logo_dib.h"
#include "text_codec.h"

namespace qrwin {

void MainWindowNoticeSurface::SetLabelText(const char *controlName, const std::string &gbk) {
  window_.SetText(controlName, qrtext::WideFromGbk(gbk));
}

void MainWindowNoticeSurface::SetWindowTitle(const std::string &gbk) {
  window_.SetTitle(qrtext::WideFromGbk(gbk));
}

void MainWindowNoticeSurface::ShowLogo(const std::string &pngBytes) {
  std::optional<notice::win::LogoDib> logo = notice::win::LogoDibOfPng(pngBytes);
  if (!logo) return;
  DibPicture picture;
  picture.info = std::move(logo->info);
  picture.bits = std::move(logo->bits);
  picture.width = logo->width;
  picture.height = logo->height;
  window_.SetPicture(resources::control::kLogo,
                     std::vector<std::uint8_t>(pngBytes.begin(), pngBytes.end()),
                     std::move(picture));
}

std::uint32_t MainWindowNoticeSurface::LinkColour() {
  return window_.TextColour(resources::control::kLink);
}

void MainWindowNoticeSurface::SetLinkColour(std::uint32_t colour) {
  window_.SetTextColour(resources::control::kLink, colour);
}

void MainWindowNoticeSurface::ShowMessage(const std::string &caption, const std::string &text) {
  notice::win::ShowInformation(caption, text);
}

bool MainWindowNoticeSurface::ConfirmOkCancel(const std::string &caption, const std::string &text) {
  return notice::win::AskOkCancel(caption, text);
}

void MainWindowNoticeSurface::OpenAddress(const std::string &address) {
  notice::win::OpenWebAddress(address);
}

void MainWindowNoticeSurface::CloseMainWindow() { DestroyWindow(window_.Handle()); }

}  // namespace qrwin
