// 导入… and files dropped on the input box: a list file read into the
// input box (list_import.h).
#include "control_names.h"
#include "list_import.h"
#include "main_window_logic.h"
#include "ui_texts.h"
#include "window_options.h"

namespace qrapp {

void MainWindowLogic::OnImportClicked() {
  std::string path;
  if (view_.ChooseImportFile(path)) ImportFile(path);
}

void MainWindowLogic::ImportFile(const std::string &path) {
  if (batchRunning_) return;
  std::string bytes;
  if (!files_.ReadFile(path, bytes)) {
    view_.ShowMessage(text::kImportCaption, text::kImportUnreadable + path);
    return;
  }
  WindowOptions options = LoadOptions(settings_);
  const ImportResult result = ImportList(bytes, path, ImportChoiceOf(options));
  view_.SetText(resources::control::kBatchInput, result.text);
  // Contents written with escapes mean what they held only with escapes on.
  if (result.escapesNeeded) {
    SetEscapes(options, true);
    SaveOptions(settings_, options);
  }
  view_.ShowMessage(text::kImportCaption, ImportSummary(result));
}

}  // namespace qrapp
