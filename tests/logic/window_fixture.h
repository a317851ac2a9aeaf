// The main window's handlers wired to in-memory stand-ins: a view whose
// events go through the logic's own dispatch, an engine that records its
// calls, the batch's symbols to match, a file system and the profile file
// on it, and a clock that moves a second at every reading (so every batch
// line is shown; tests of the pace set its step).
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "control_names.h"
#include "fake_view.h"
#include "from_gbk.h"
#include "gbk_text.h"
#include "main_window_logic.h"
#include "memory_file_system.h"
#include "profile_file.h"
#include "recording_engine.h"
#include "stepping_clock.h"

namespace qrapp::testing {

class WindowTest : public ::testing::Test {
 protected:
  WindowTest()
      : engine(files),
        settings(files, "C:\\brelvanto\\Set.ini"),
        logic(view, engine, symbols, clock, files, settings, Paths(), engineImage, Hooks()) {
    clock.step = std::chrono::seconds(1);
    files.folders.insert("C:");
    files.folders.insert("D:");
    files.folders.insert("D:\\tools");
    view.onEvent = [this](const std::string &name, ControlEvent event) {
      logic.OnControlEvent(name, event);
    };
  }

  static AppPaths Paths() {
    AppPaths paths;
    paths.programFolder = "D:\\tools";
    return paths;
  }

  MainWindowHooks Hooks() {
    MainWindowHooks hooks;
    hooks.readNotice = [this] { hookLog.push_back("readNotice"); };
    hooks.timerTick = [this] { hookLog.push_back("timerTick"); };
    hooks.linkPressed = [this] { hookLog.push_back("linkPressed"); };
    return hooks;
  }

  // Calls recorded since `from`.
  std::vector<std::string> CallsSince(size_t from) const {
    return std::vector<std::string>(engine.calls.begin() + static_cast<long>(from),
                                    engine.calls.end());
  }

  std::vector<std::string> LogOf(const std::string &name) const {
    std::vector<std::string> values;
    for (const std::string &entry : view.log) {
      if (entry.rfind(name + "=", 0) == 0) values.push_back(entry.substr(name.size() + 1));
    }
    return values;
  }

  static std::string G(const std::string &utf8) { return utf8; }  // the view's texts are UTF-8

  const std::string engineImage = std::string("MZ\x90\0", 4) + std::string(81916, 'E');
  std::vector<std::string> hookLog;
  MemoryFileSystem files;
  RecordingEngine engine;
  StandInSymbols symbols;
  SteppingClock clock;
  ProfileFile settings;
  FakeView view;
  MainWindowLogic logic;
};

}  // namespace qrapp::testing
