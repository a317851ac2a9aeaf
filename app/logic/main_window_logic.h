// The main window's handlers as plain code over small interfaces: the
// window layer passes every control event to OnControlEvent, whose binding
// table picks the handler.
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "batch_run.h"
#include "batch_symbols.h"
#include "control_event.h"
#include "engine_exports.h"
#include "file_system.h"
#include "main_window_view.h"
#include "refresh_pace.h"
#include "settings_store.h"

namespace qrapp {

// The engine library's file name, in the program folder.
inline constexpr char kEngineLibraryName[] = "QRCodeWin32.dll";

// UTF-8 paths the handlers use.
struct AppPaths {
  std::string programFolder;                      // executable's folder, no trailing "\"
  std::string workingFolder = "C:\\brelvanto\\";  // created at start-up
  std::string settingsFile = "C:\\brelvanto\\Set.ini";
  std::string EngineFile() const { return programFolder + "\\" + kEngineLibraryName; }
  std::string PreviewFile() const { return programFolder + "\\a.jpg"; }
  std::string SaveSideFile() const { return programFolder + "\\a.bmp"; }
};

// Steps owned elsewhere that plug into the handlers.
struct MainWindowHooks {
  std::function<void()> readNotice;   // start-up: online notice and update check
  std::function<void()> timerTick;    // every 500 ms: clock and link colour
  std::function<void()> linkPressed;  // the link label: open the link
};

class MainWindowLogic {
 public:
  // `engineImage` is the engine library deployed next to the executable when
  // missing; it must outlive this object. `symbols` checks and draws the
  // batch's symbols beside the engine library; `clock` paces its progress.
  MainWindowLogic(MainWindowView &view, EngineExports &engine, BatchSymbols &symbols, Clock &clock,
                  qrplatform::FileSystem &files, SettingsStore &settings, AppPaths paths,
                  std::string_view engineImage, MainWindowHooks hooks = {});

  // Runs the handler bound to `event` of the control named `name`; false
  // when none is (no control has any handler but those bound here).
  bool OnControlEvent(const std::string &name, ControlEvent event);

  // The handlers: the window layer calls OnCreated itself, the others run
  // through OnControlEvent's table.
  void OnCreated();              // main window created: the start-up sequence
  void OnInputChanged();         // batch input changed: recount the lines
  void OnDestinationChanged();   // destination changed: store the folder
  void OnWidthChanged();         // batch width changed: copy it to the height
  void OnChooseFolderClicked();  // choose the destination folder
  void OnBatchClicked();         // run the batch
  void OnGenerateClicked();      // generate and preview one symbol
  void OnSaveClicked();          // save the preview
  void OnOptionsClicked();       // the options dialog
  void OnTimerTick();            // every 500 ms: clock and link colour
  void OnLinkPressed();          // link label pressed: open the link
  void OnImportClicked();        // 导入…: a list file into the input box
  // A file dropped on the input box, or chosen by 导入…: read into the input
  // box as the options' import rows say (list_import.h).
  void ImportFile(const std::string &path);
  // The batch is running (it handles the window's input between lines):
  // clicks and drops are ignored until it ends.
  bool BatchRunning() const { return batchRunning_; }

 private:
  void DeployEngine();
  void FillVersionList();
  void RestoreDestination();
  void ShowImageFile(const std::string &path);
  void ApplySymbolSettings(const std::string &message);
  void ReportFailures(const batch::BatchReport &report, const std::string &reportNote);

  MainWindowView &view_;
  EngineExports &engine_;
  BatchSymbols &symbols_;
  Clock &clock_;
  qrplatform::FileSystem &files_;
  SettingsStore &settings_;
  AppPaths paths_;
  std::string_view engineImage_;
  MainWindowHooks hooks_;
  bool batchRunning_ = false;
};

}  // namespace qrapp
