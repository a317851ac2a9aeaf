// The start-up sequence run when the main window has been created.
#include "control_names.h"
#include "main_window_logic.h"
#include "progress_text.h"
#include "version_items.h"

namespace qrapp {

void MainWindowLogic::OnCreated() {
  if (hooks_.readNotice) hooks_.readNotice();
  view_.SetWidth(resources::control::kProgressBar, 0);
  if (!files_.IsDirectory(paths_.workingFolder)) files_.CreateDirectories(paths_.workingFolder);
  if (!files_.Exists(paths_.settingsFile)) files_.WriteFile(paths_.settingsFile, "");
  DeployEngine();
  FillVersionList();
  OnInputChanged();
  RestoreDestination();
}

// Whatever exists under the engine's name is left alone; a failed write
// leaves no truncated library behind, which would never be replaced. A
// program folder without a name the file functions take (empty) gets
// nothing: \QRCodeWin32.dll would be the root of the current drive.
void MainWindowLogic::DeployEngine() {
  const std::string path = paths_.EngineFile();
  if (paths_.programFolder.empty() || files_.Exists(path) || engineImage_.empty()) return;
  if (files_.WriteFile(path, engineImage_)) {
    files_.SetHidden(path);
  } else {
    files_.Remove(path);
  }
}

void MainWindowLogic::FillVersionList() {
  for (const std::string &item : VersionItems())
    view_.AddItem(resources::control::kVersionList, item);
  view_.Select(resources::control::kVersionList, 0);
}

}  // namespace qrapp
