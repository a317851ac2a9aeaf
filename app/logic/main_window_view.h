// What the handlers need of the main window. Controls are addressed by their
// layout names (control_names.h, UTF-8); every text crossing this interface,
// paths included, is UTF-8.
#pragma once

#include <string>
#include <vector>

namespace qrapp {

class MainWindowView {
 public:
  virtual ~MainWindowView() = default;

  // Caption of a label, content of an edit box, shown text of a combo box.
  virtual std::string Text(const std::string &name) = 0;
  // Setting an edit box's content raises its content-changed event exactly
  // once, even when the text does not change (the window layer does that).
  virtual void SetText(const std::string &name, const std::string &utf8) = 0;

  // Combo boxes: selected item index (-1 when none), adding and selecting.
  virtual int SelectedIndex(const std::string &name) = 0;
  virtual void AddItem(const std::string &name, const std::string &utf8) = 0;
  virtual void Select(const std::string &name, int index) = 0;

  // Width in pixels (the progress bar).
  virtual int Width(const std::string &name) = 0;
  virtual void SetWidth(const std::string &name, int pixels) = 0;

  // Picture boxes: the bytes last assigned (an image file's content); empty
  // bytes leave the box without a picture.
  virtual void SetPicture(const std::string &name, const std::string &bytes) = 0;
  virtual std::string Picture(const std::string &name) = 0;

  // Lets changed labels, bar and preview show during a long handler.
  virtual void Repaint() = 0;

  // Modal message box with an OK button, owned by the main window.
  virtual void ShowMessage(const std::string &caption, const std::string &text) = 0;

  // Folder browser titled `title`, with a button for a new folder; true with the chosen file-system
  // path in `folder` on confirmation, false (folder untouched) on cancel or when the choice has no
  // file-system path.
  virtual bool ChooseFolder(const std::string &title, std::string &folder) = 0;

  // Save dialog 通用对话框1 (filter ".jpg", default extension ".jpg"); true
  // with the full path on confirmation. After a confirmed choice later
  // openings start at the user's desktop folder.
  virtual bool ChooseSaveFile(std::string &path) = 0;

  // The options dialog (options_dialog_layout.h), showing `choices` (one
  // per row); true with the user's choices on confirmation, false (choices
  // untouched) on cancel.
  virtual bool EditOptions(std::vector<int> &choices) = 0;

  // During a long handler (the batch): handles the input waiting for the
  // window, clicks and a close among it; false once the window is closing.
  virtual bool ProcessPendingInput() { return true; }

  // Open dialog for a text or CSV file (导入…); true with its path on
  // confirmation.
  virtual bool ChooseImportFile(std::string &path) {
    (void)path;
    return false;
  }
};

}  // namespace qrapp
