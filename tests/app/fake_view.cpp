#include "fake_view.h"

#include "control_names.h"
#include "gbk_text.h"

namespace qrapp::testing {

std::string DefaultInput() { return ToGbk("测试数据\r\n20210706001\r\n20210706002\r\n"); }

FakeView::FakeView() {
  texts[control::kBatchInput] = DefaultInput();
  texts[control::kSingleSide] = "200";
  texts[control::kBatchWidth] = "200";
  texts[control::kBatchHeight] = "200";
  for (const char *level : {"L(5%)", "M(15%)", "Q(25%)", "H(30%)"}) {
    items[control::kLevelList].push_back(level);
  }
  selected[control::kLevelList] = 0;
  widths[control::kProgressBar] = 200;  // layout width until start-up
}

void FakeView::SetText(const std::string &name, const std::string &gbk) {
  texts[name] = gbk;
  log.push_back(name + "=" + gbk);
  if (name.rfind("编辑框", 0) == 0 && onEditChanged) onEditChanged(name);
}

int FakeView::SelectedIndex(const std::string &name) {
  auto it = selected.find(name);
  return it == selected.end() ? -1 : it->second;
}

void FakeView::SetWidth(const std::string &name, int pixels) {
  widths[name] = pixels;
  log.push_back(name + "=" + std::to_string(pixels));
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

}  // namespace qrapp::testing
