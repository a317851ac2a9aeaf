#include "fake_view.h"

#include <stdexcept>

#include "control_names.h"

namespace qrapp::testing {

std::string DefaultInput() {
  return resources::FindControlLayout(resources::control::kBatchInput)->text;
}

FakeView::FakeView() {
  for (const resources::ControlLayout &control : resources::kMainWindowControls) {
    texts[control.name] = control.text;
    widths[control.name] = control.width;
    if (control.kind == resources::ControlKind::ComboBox) {
      std::vector<std::string> &list = items[control.name];
      for (std::string rest = control.items ? control.items : ""; !rest.empty();) {
        const size_t end = rest.find('\n');
        list.push_back(rest.substr(0, end));
        rest = end == std::string::npos ? "" : rest.substr(end + 1);
      }
      selected[control.name] = control.selected;
    }
    if (control.kind == resources::ControlKind::PictureBox) pictures[control.name];
  }
}

const std::string &FakeView::Known(const std::string &name) {
  if (!resources::FindControlLayout(name.c_str()))
    throw std::invalid_argument("no control named " + name + " in the layout");
  return name;
}

const std::string &FakeView::Known(const std::string &name, resources::ControlKind kind) {
  if (!resources::IsControlOfKind(Known(name).c_str(), kind))
    throw std::invalid_argument(name + " is not a control of the kind asked for");
  return name;
}

void FakeView::Raise(const std::string &name, ControlEvent event) {
  if (onEvent) onEvent(name, event);
}

void FakeView::SetText(const std::string &name, const std::string &utf8) {
  texts[Known(name)] = utf8;
  log.push_back(name + "=" + utf8);
  if (resources::IsControlOfKind(name.c_str(), resources::ControlKind::EditBox))
    Raise(name, ControlEvent::kContentChanged);
}

void FakeView::Type(const std::string &name, const std::string &utf8) {
  SetText(Known(name, resources::ControlKind::EditBox), utf8);
}

void FakeView::Click(const std::string &name) {
  Raise(Known(name, resources::ControlKind::Button), ControlEvent::kClicked);
}

int FakeView::SelectedIndex(const std::string &name) {
  return selected.at(Known(name, resources::ControlKind::ComboBox));
}

void FakeView::AddItem(const std::string &name, const std::string &utf8) {
  items[Known(name, resources::ControlKind::ComboBox)].push_back(utf8);
}

void FakeView::Select(const std::string &name, int index) {
  selected[Known(name, resources::ControlKind::ComboBox)] = index;
}

void FakeView::SetWidth(const std::string &name, int pixels) {
  widths[Known(name)] = pixels;
  log.push_back(name + "=" + std::to_string(pixels));
}

void FakeView::SetPicture(const std::string &name, const std::string &bytes) {
  pictures[Known(name, resources::ControlKind::PictureBox)] = bytes;
  ++pictureSets;
}

std::string FakeView::Picture(const std::string &name) {
  return pictures.at(Known(name, resources::ControlKind::PictureBox));
}

bool FakeView::ChooseFolder(const std::string &title, std::string &folder) {
  ++folderDialogs;
  folderTitle = title;
  if (folderConfirmed) folder = folderChosen;
  return folderConfirmed;
}

bool FakeView::ChooseSaveFile(std::string &path) {
  ++saveDialogs;
  if (saveConfirmed) path = savePath;
  return saveConfirmed;
}

bool FakeView::EditOptions(std::vector<int> &choices) {
  ++optionsDialogs;
  optionsShown = choices;
  if (!optionsConfirmed) return false;
  if (!optionsChosen.empty()) choices = optionsChosen;
  return true;
}

}  // namespace qrapp::testing
