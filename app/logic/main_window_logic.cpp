// Construction, the small handlers and the helpers the others share.
#include "main_window_logic.h"

#include "control_names.h"
#include "integer_of_text.h"
#include "line_splitter.h"
#include "symbol_recipe.h"
#include "ui_texts.h"
#include "window_options.h"

namespace qrapp {

namespace {

constexpr char kSettingsKey[] = "route";

struct EventBinding {
  const char *control;
  ControlEvent event;
  void (MainWindowLogic::*handler)();
};

// Which handler each control's event runs.
constexpr EventBinding kEventBindings[] = {
    {control::kBatchInput, ControlEvent::kContentChanged, &MainWindowLogic::OnInputChanged},
    {control::kDestination, ControlEvent::kContentChanged, &MainWindowLogic::OnDestinationChanged},
    {control::kBatchWidth, ControlEvent::kContentChanged, &MainWindowLogic::OnWidthChanged},
    {control::kChooseFolder, ControlEvent::kClicked, &MainWindowLogic::OnChooseFolderClicked},
    {control::kRunBatch, ControlEvent::kClicked, &MainWindowLogic::OnBatchClicked},
    {control::kGenerate, ControlEvent::kClicked, &MainWindowLogic::OnGenerateClicked},
    {control::kSave, ControlEvent::kClicked, &MainWindowLogic::OnSaveClicked},
    {control::kOptions, ControlEvent::kClicked, &MainWindowLogic::OnOptionsClicked},
    {control::kImport, ControlEvent::kClicked, &MainWindowLogic::OnImportClicked},
    {control::kClock, ControlEvent::kTimerTick, &MainWindowLogic::OnTimerTick},
    {control::kLink, ControlEvent::kLeftButtonDown, &MainWindowLogic::OnLinkPressed},
};

constexpr ControlKind KindRaising(ControlEvent event) {
  switch (event) {
    case ControlEvent::kContentChanged: return ControlKind::EditBox;
    case ControlEvent::kClicked: return ControlKind::Button;
    case ControlEvent::kTimerTick: return ControlKind::Timer;
    case ControlEvent::kLeftButtonDown: return ControlKind::TransparentLabel;
  }
  return ControlKind::GroupBox;
}

constexpr bool EveryBindingFitsItsControl() {
  for (const EventBinding &binding : kEventBindings)
    if (!IsControlOfKind(binding.control, KindRaising(binding.event))) return false;
  return true;
}
static_assert(EveryBindingFitsItsControl(), "an event bound to a control that cannot raise it");

}  // namespace

MainWindowLogic::MainWindowLogic(MainWindowView &view, EngineExports &engine, BatchSymbols &symbols,
                                 Clock &clock, FileSystem &files, SettingsStore &settings,
                                 AppPaths paths, std::string_view engineImage,
                                 MainWindowHooks hooks)
    : view_(view),
      engine_(engine),
      symbols_(symbols),
      clock_(clock),
      files_(files),
      settings_(settings),
      paths_(std::move(paths)),
      engineImage_(engineImage),
      hooks_(std::move(hooks)) {}

bool MainWindowLogic::OnControlEvent(const std::string &name, ControlEvent event) {
  // The batch takes the window's input between its lines: a click then
  // would start a second run over the same engine.
  if (batchRunning_ && event == ControlEvent::kClicked) return true;
  for (const EventBinding &binding : kEventBindings) {
    if (binding.event == event && name == binding.control) {
      (this->*binding.handler)();
      return true;
    }
  }
  return false;
}

void MainWindowLogic::OnInputChanged() {
  const size_t total = SplitLines(view_.Text(control::kBatchInput)).size();
  view_.SetText(control::kLineCount, std::to_string(total));
}

void MainWindowLogic::OnDestinationChanged() {
  settings_.Write(kSettingsSection, kSettingsKey, view_.Text(control::kDestination));
}

void MainWindowLogic::RestoreDestination() {
  view_.SetText(control::kDestination, settings_.Read(kSettingsSection, kSettingsKey));
}

void MainWindowLogic::OnWidthChanged() {
  view_.SetText(control::kBatchHeight, view_.Text(control::kBatchWidth));
}

void MainWindowLogic::OnChooseFolderClicked() {
  std::string folder;
  // A cancelled browser keeps the folder the user had.
  if (view_.ChooseFolder(text::kChooseFolderTitle, folder)) {
    view_.SetText(control::kDestination, folder);
  }
}

void MainWindowLogic::OnOptionsClicked() {
  WindowOptions options = LoadOptions(settings_);
  if (view_.EditOptions(options.choices)) SaveOptions(settings_, options);
}

void MainWindowLogic::OnTimerTick() {
  if (hooks_.timerTick) hooks_.timerTick();
}

void MainWindowLogic::OnLinkPressed() {
  if (hooks_.linkPressed) hooks_.linkPressed();
}

void MainWindowLogic::ShowImageFile(const std::string &path) {
  std::string bytes;
  files_.ReadFile(path, bytes);
  view_.SetPicture(control::kPreview, bytes);
}

void MainWindowLogic::ApplySymbolSettings(const std::string &message) {
  qrapp::ApplySymbolSettings(engine_, message, view_.SelectedIndex(control::kVersionList),
                             view_.SelectedIndex(control::kLevelList));
}

}  // namespace qrapp
