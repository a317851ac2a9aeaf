// "生成" (one symbol into the hidden preview file) and "保存" (a copy of the
// preview under a chosen name).
#include "control_names.h"
#include "failure_text.h"
#include "gbk_text.h"
#include "image_fit.h"
#include "integer_of_text.h"
#include "main_window_logic.h"
#include "ui_texts.h"

namespace qrapp {

void MainWindowLogic::OnGenerateClicked() {
  if (view_.Text(control::kSingleText).empty()) {
    view_.SetText(control::kSingleText, ToGbk(text::kEmptySingleText));
  }
  ApplySymbolSettings(view_.Text(control::kSingleText));
  const int side = IntegerOfText(view_.Text(control::kSingleSide));
  engine_.QRSetSize(side, side);
  // A symbol larger than the image would be cut off at its edges: nothing
  // is written then. A message too long for any symbol has no size and
  // goes on to the engine, which writes no file for it.
  int symbolWidth = 0, symbolHeight = 0;
  engine_.QRGetActualSize(symbolWidth, symbolHeight);
  const ImageSize image = EngineImageSize(side, side);
  if (symbolWidth > 0 && !SymbolFitsImage(symbolWidth, image.width, image.height)) {
    view_.SetPicture(control::kPreview, std::string());
    view_.ShowMessage(
        ToGbk(text::kMessageCaption),
        TooLargeText(symbolWidth, image.width, image.height, kWindowFailureTexts, ToGbk));
    return;
  }
  const std::string preview = paths_.PreviewFile();
  engine_.QRSaveAsBMP(preview);
  files_.SetHidden(preview);
  ShowImageFile(preview);
}

void MainWindowLogic::OnSaveClicked() {
  engine_.QRSaveAsBMP(paths_.SaveSideFile());
  const std::string bytes = view_.Picture(control::kPreview);
  if (bytes.empty()) {
    view_.ShowMessage(ToGbk(text::kMessageCaption), ToGbk(text::kNothingToSave));
    return;
  }
  std::string path;
  if (!view_.ChooseSaveFile(path)) return;
  if (!files_.WriteFile(path, bytes)) {
    view_.ShowMessage(ToGbk(text::kMessageCaption), ToGbk(text::kSaveFailed) + path);
  }
}

}  // namespace qrapp
