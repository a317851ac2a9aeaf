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
  if (view_.Text(control::kSingleText).empty()) {
    view_.SetText(control::kSingleText, text::kEmptySingleText);
  }
  const ContentChoice choice = ContentChoiceOf(LoadOptions(settings_));
  qrtext::EncodedContent content;
  if (!qrtext::EncodeContent(view_.Text(control::kSingleText), choice.encoding, choice.eciForGbk,
                             content)) {
    LineFailure failure;
    failure.fault = LineFault::kUnrepresentable;
    view_.SetPicture(control::kPreview, std::string());
    view_.ShowMessage(text::kMessageCaption, FailureText(failure, kWindowFailureTexts));
    return;
  }
  ApplySymbolSettings(content.bytes);
  const int side = IntegerOfText(view_.Text(control::kSingleSide));
  engine_.QRSetSize(side, side);
  // A symbol larger than the image would be cut off at its edges: nothing
  // is written then. A message too long for any symbol has no size and
  // goes on to the engine, which writes no file for it.
  BatchRecipe recipe;
  recipe.version = view_.SelectedIndex(control::kVersionList);
  recipe.level = view_.SelectedIndex(control::kLevelList);
  recipe.width = recipe.height = side;
  int symbolWidth = 0, symbolHeight = 0;
  if (content.eciDesignator == 0) {
    engine_.QRGetActualSize(symbolWidth, symbolHeight);
  } else {
    symbolWidth = symbols_.SymbolPixels(content, recipe);
  }
  const ImageSize image = EngineImageSize(side, side);
  if (symbolWidth > 0 && !SymbolFitsImage(symbolWidth, image.width, image.height)) {
    view_.SetPicture(control::kPreview, std::string());
    view_.ShowMessage(text::kMessageCaption,
                      TooLargeText(symbolWidth, image.width, image.height, kWindowFailureTexts));
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
  const std::string bytes = view_.Picture(control::kPreview);
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
