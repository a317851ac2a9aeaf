// "生成" (one symbol into the hidden preview file) and "保存" (a copy of the
// preview under a chosen name).
#include "control_names.h"
#include "failure_text.h"
#include "image_fit.h"
#include "integer_of_text.h"
#include "main_window_logic.h"
#include "ui_texts.h"
#include "window_options.h"

namespace qrapp {

void MainWindowLogic::OnGenerateClicked() {
  if (view_.Text(resources::control::kSingleText).empty()) {
    view_.SetText(resources::control::kSingleText, text::kEmptySingleText);
  }
  const batch::ContentChoice choice = ContentChoiceOf(LoadOptions(settings_));
  qrtext::EncodedContent content;
  if (!qrtext::EncodeContent(view_.Text(resources::control::kSingleText), choice.encoding,
                             choice.eciForGbk, content)) {
    batch::LineFailure failure;
    failure.fault = batch::LineFault::kUnrepresentable;
    view_.SetPicture(resources::control::kPreview, std::string());
    view_.ShowMessage(text::kMessageCaption,
                      batch::FailureText(failure, batch::kWindowFailureTexts));
    return;
  }
  ApplySymbolSettings(content.bytes);
  const int side = IntegerOfText(view_.Text(resources::control::kSingleSide));
  engine_.QRSetSize(side, side);
  // A symbol larger than the image would be cut off at its edges: nothing
  // is written then. A message too long for any symbol has no size and
  // goes on to the engine, which writes no file for it.
  batch::BatchRecipe recipe;
  recipe.version = view_.SelectedIndex(resources::control::kVersionList);
  recipe.level = view_.SelectedIndex(resources::control::kLevelList);
  recipe.width = recipe.height = side;
  int symbolWidth = 0, symbolHeight = 0;
  if (content.eciDesignator == 0) {
    engine_.QRGetActualSize(symbolWidth, symbolHeight);
  } else {
    symbolWidth = symbols_.SymbolPixels(content, recipe);
  }
  const batch::ImageSize image = batch::EngineImageSize(side, side);
  if (symbolWidth > 0 && !batch::SymbolFitsImage(symbolWidth, image.width, image.height)) {
    view_.SetPicture(resources::control::kPreview, std::string());
    view_.ShowMessage(
        text::kMessageCaption,
        batch::TooLargeText(symbolWidth, image.width, image.height, batch::kWindowFailureTexts));
    return;
  }
  const std::string preview = paths_.PreviewFile();
  if (content.eciDesignator == 0) {
    engine_.QRSaveAsBMP(preview);
  } else {
    // The exports carry no designator: the same bitmap, drawn in process.
    const std::string bitmap = symbols_.BitmapFile(content, recipe);
    // No symbol: the file stays as it was, as after a failed QRSaveAsBMP.
    if (!bitmap.empty()) files_.WriteFile(preview, bitmap);
  }
  files_.SetHidden(preview);
  ShowImageFile(preview);
}

void MainWindowLogic::OnSaveClicked() {
  engine_.QRSaveAsBMP(paths_.SaveSideFile());
  const std::string bytes = view_.Picture(resources::control::kPreview);
  if (bytes.empty()) {
    view_.ShowMessage(text::kMessageCaption, text::kNothingToSave);
    return;
  }
  std::string path;
  if (!view_.ChooseSaveFile(path)) return;
  if (!files_.WriteFile(path, bytes)) {
    view_.ShowMessage(text::kMessageCaption, text::kSaveFailed + path);
  }
}

}  // namespace qrapp
