#include "win_main_window_view.h"

#include "text_codec.h"

namespace qrwin {

std::string WinMainWindowView::Text(const std::string &name) {
  return GbkFromWide(window_.Text(name));
}

void WinMainWindowView::SetText(const std::string &name, const std::string &gbk) {
  window_.SetText(name, WideFromGbk(gbk));
}

int WinMainWindowView::SelectedIndex(const std::string &name) {
  return window_.SelectedIndex(name);
}

void WinMainWindowView::AddItem(const std::string &name, const std::string &gbk) {
  window_.AddItem(name, WideFromGbk(gbk));
}

void WinMainWindowView::Select(const std::string &name, int index) { window_.Select(name, index); }

int WinMainWindowView::Width(const std::string &name) { return window_.Width(name); }

void WinMainWindowView::SetWidth(const std::string &name, int pixels) {
  window_.SetWidth(name, pixels);
}

void WinMainWindowView::SetPicture(const std::string &name, const std::string &bytes) {
  window_.SetPicture(name, std::vector<std::uint8_t>(bytes.begin(), bytes.end()));
}

std::string WinMainWindowView::Picture(const std::string &name) {
  const std::vector<std::uint8_t> bytes = window_.Picture(name);
  return std::string(bytes.begin(), bytes.end());
}

void WinMainWindowView::Repaint() { window_.Repaint(); }

void WinMainWindowView::ShowMessage(const std::string &caption, const std::string &text) {
  window_.ShowMessage(WideFromGbk(caption), WideFromGbk(text));
}

bool WinMainWindowView::ChooseFolder(const std::string &title, std::string &folder) {
  std::string ansiFolder;
  if (!window_.ChooseFolder(AnsiFromWide(WideFromGbk(title)), ansiFolder)) return false;
  folder = GbkFromWide(WideFromAnsi(ansiFolder));
  return true;
}

bool WinMainWindowView::ChooseSaveFile(std::string &path) { return window_.ChooseSaveFile(path); }

}  // namespace qrwin
