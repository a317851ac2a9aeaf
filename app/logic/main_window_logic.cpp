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
    {resources::control::kBatchInput, ControlEvent::kContentChanged,
     &MainWindowLogic::OnInputChanged},
    {resources::control::kDestination, ControlEvent::kContentChanged,
     &MainWindowLogic::OnDestinationChanged},
    {resources::control::kBatchWidth, ControlEvent::kContentChanged,
     &MainWindowLogic::OnWidthChanged},
    {resources::control::kChooseFolder, ControlEvent::kClicked,
     &MainWindowLogic::OnChooseFolderClicked},
    {resources::control::kRunBatch, ControlEvent::kClicked, &MainWindowLogic::OnBatchClicked},
    {resources::control::kGenerate, ControlEvent::kClicked, &MainWindowLogic::OnGenerateClicked},
    {resources::control::kSave, ControlEvent::kClicked, &MainWindowLogic::OnSaveClicked},
    {resources::control::kOptions, ControlEvent::kClicked, &MainWindowLogic::OnOptionsClicked},
    {resources::control::kImport, ControlEvent::kClicked, &MainWindowLogic::OnImportClicked},
    {resources::control::kClock, ControlEvent::kTimerTick, &MainWindowLogic::OnTimerTick},
    {resources::control::kLink, ControlEvent::kLeftButtonDown, &MainWindowLogic::OnLinkPressed},
};

constexpr resources::ControlKind KindRaising(ControlEvent event) {
  switch (event) {
    case ControlEvent::kContentChanged: return resources::ControlKind::EditBox;
    case ControlEvent::kClicked: return resources::ControlKind::Button;
    case ControlEvent::kTimerTick: return resources::ControlKind::Timer;
    case ControlEvent::kLeftButtonDown: return resources::ControlKind::TransparentLabel;
  }
  return resources::ControlKind::GroupBox;
}

constexpr bool EveryBindingFitsItsControl() {
  for (const EventBinding &binding : kEventBindings)
    if (!resources::IsControlOfKind(binding.control, KindRaising(binding.event))) return false;
  return true;
}
static_assert(EveryBindingFitsItsControl(), "an event bound to a control that cannot raise it");

}  // namespace

MainWindowLogic::MainWindowLogic(MainWindowView &view, EngineExports &engine, BatchSymbols &symbols,
                                 Clock &clock, qrplatform::FileSystem &files,
                                 SettingsStore &settings, AppPaths paths,
                                 std::string_view engineImage, MainWindowHooks hooks)
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
  const size_t total = SplitLines(view_.Text(resources::control::kBatchInput)).size();
  view_.SetText(resources::control::kLineCount, std::to_string(total));
}

void MainWindowLogic::OnDestinationChanged() {
  settings_.Write(kSettingsSection, kSettingsKey, view_.Text(resources::control::kDestination));
}

void MainWindowLogic::RestoreDestination() {
  view_.SetText(resources::control::kDestination, settings_.Read(kSettingsSection, kSettingsKey));
}

void MainWindowLogic::OnWidthChanged() {
  view_.SetText(resources::control::kBatchHeight, view_.Text(resources::control::kBatchWidth));
}

void MainWindowLogic::OnChooseFolderClicked() {
  std::string folder;
  // A cancelled browser keeps the folder the user had.
  if (view_.ChooseFolder(text::kChooseFolderTitle, folder)) {
    view_.SetText(resources::control::kDestination, folder);
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
  view_.SetPicture(resources::control::kPreview, bytes);
}

void MainWindowLogic::ApplySymbolSettings(const std::string &message) {
  qrapp::ApplySymbolSettings(engine_, message,
                             view_.SelectedIndex(resources::control::kVersionList),
                             view_.SelectedIndex(resources::control::kLevelList));
}

}  // namespace qrapp
