#include "win_main_window_view.h"

#include "text_codec.h"
#include "ui_texts.h"

namespace qrwin {

namespace {
std::string Utf8FromWide(const std::wstring &text) {
  return qrtext::CodePageFromWide(CP_UTF8, text);
}
}  // namespace

std::string WinMainWindowView::Text(const std::string &name) {
  return Utf8FromWide(window_.Text(name));
}

void WinMainWindowView::SetText(const std::string &name, const std::string &utf8) {
  window_.SetText(name, qrtext::WideFromUtf8(utf8));
}

int WinMainWindowView::SelectedIndex(const std::string &name) {
  return window_.SelectedIndex(name);
}

void WinMainWindowView::AddItem(const std::string &name, const std::string &utf8) {
  window_.AddItem(name, qrtext::WideFromUtf8(utf8));
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
  window_.ShowMessage(qrtext::WideFromUtf8(caption), qrtext::WideFromUtf8(text));
}

bool WinMainWindowView::ChooseFolder(const std::string &title, std::string &folder) {
  std::wstring chosen;
  if (!window_.ChooseFolder(qrtext::WideFromUtf8(title), chosen)) return false;
  folder = Utf8FromWide(chosen);
  return true;
}

bool WinMainWindowView::ChooseSaveFile(std::string &path) {
  std::wstring chosen;
  if (!window_.ChooseSaveFile(chosen)) return false;
  path = Utf8FromWide(chosen);
  return true;
}

bool WinMainWindowView::EditOptions(std::vector<int> &choices) {
  return window_.EditOptions(choices);
}

}  // namespace qrwin

namespace qrwin {

bool WinMainWindowView::ProcessPendingInput() { return window_.ProcessPendingInput(); }

bool WinMainWindowView::ChooseImportFile(std::string &path) {
  const std::wstring filter = qrtext::WideFromUtf8(qrapp::text::kImportFilter) + L'\0' +
                              L"*.txt;*.csv" + L'\0' + L"*.*" + L'\0' + L"*.*" + L'\0' + L'\0';
  std::wstring chosen;
  if (!window_.ChooseOpenFile(filter, chosen)) return false;
  path = Utf8FromWide(chosen);
  return true;
}

}  // namespace qrwin
