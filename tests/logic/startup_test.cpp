#include "window_fixture.h"

namespace qrapp::testing {
namespace {

using StartupTest = WindowTest;

TEST_F(StartupTest, FirstRunPreparesFoldersSettingsEngineAndControls) {
  logic.OnCreated();

  EXPECT_TRUE(files.IsDirectory("C:\\brelvanto"));
  EXPECT_EQ(files.files["C:\\brelvanto\\Set.ini"], "[preservation]\r\nroute=\r\n");
  EXPECT_EQ(files.files["D:\\tools\\QRCodeWin32.dll"], engineImage);
  EXPECT_TRUE(files.hidden.count("D:\\tools\\QRCodeWin32.dll"));

  EXPECT_EQ(view.widths[resources::control::kProgressBar], 0);
  ASSERT_EQ(view.items[resources::control::kVersionList].size(), 41u);
  EXPECT_EQ(view.items[resources::control::kVersionList][0], G("自动"));
  EXPECT_EQ(view.items[resources::control::kVersionList][40], G("版本_40   177×177"));
  EXPECT_EQ(view.selected[resources::control::kVersionList], 0);
  EXPECT_EQ(view.texts[resources::control::kLineCount], "3");
  EXPECT_EQ(view.texts[resources::control::kDestination], "");
  // Restoring sets the box once, which stores the value once.
  EXPECT_EQ(LogOf(resources::control::kDestination), std::vector<std::string>{""});
  EXPECT_TRUE(engine.calls.empty());  // the engine is not touched at start-up
}

TEST_F(StartupTest, NoticeRunsFirstAndTheRestFollows) {
  bool versionListEmptyDuringNotice = false;
  int barWidthDuringNotice = -1;
  MainWindowHooks hooks;
  hooks.readNotice = [&] {
    versionListEmptyDuringNotice = view.items[resources::control::kVersionList].empty();
    barWidthDuringNotice = view.widths[resources::control::kProgressBar];
  };
  MainWindowLogic withNotice(view, engine, symbols, clock, files, settings, Paths(), engineImage,
                             hooks);
  withNotice.OnCreated();
  EXPECT_TRUE(versionListEmptyDuringNotice);
  EXPECT_EQ(barWidthDuringNotice, 200);
  EXPECT_EQ(view.widths[resources::control::kProgressBar], 0);
}

TEST_F(StartupTest, SecondRunRewritesNothingAndRestoresTheFolder) {
  files.folders.insert("C:\\brelvanto");
  const std::string folder = G("D:\\输出");
  files.files["C:\\brelvanto\\Set.ini"] = "[preservation]\r\nroute=" + folder + "\r\n";
  files.files["D:\\tools\\QRCodeWin32.dll"] = "older engine";

  logic.OnCreated();

  EXPECT_EQ(files.files["D:\\tools\\QRCodeWin32.dll"], "older engine");
  EXPECT_FALSE(files.hidden.count("D:\\tools\\QRCodeWin32.dll"));
  EXPECT_EQ(view.texts[resources::control::kDestination], folder);
  EXPECT_EQ(files.files["C:\\brelvanto\\Set.ini"], "[preservation]\r\nroute=" + folder + "\r\n");
}

TEST_F(StartupTest, AFolderUnderTheEngineNameCountsAsPresent) {
  files.folders.insert("D:\\tools\\QRCodeWin32.dll");
  logic.OnCreated();
  EXPECT_FALSE(files.files.count("D:\\tools\\QRCodeWin32.dll"));
}

TEST_F(StartupTest, AFailedEngineWriteLeavesNoPartialLibrary) {
  files.unwritable.insert("D:\\tools\\QRCodeWin32.dll");
  logic.OnCreated();
  EXPECT_FALSE(files.Exists("D:\\tools\\QRCodeWin32.dll"));
  EXPECT_EQ(view.items[resources::control::kVersionList].size(), 41u);  // start-up goes on
}

// The program's folder has no name the file functions take: the engine is
// not written to the root of the current drive instead.
TEST_F(StartupTest, WithoutAProgramFolderNoEngineIsDeployed) {
  files.folders.insert("");
  AppPaths paths;
  paths.programFolder = "";
  MainWindowLogic noFolder(view, engine, symbols, clock, files, settings, paths, engineImage);
  noFolder.OnCreated();
  EXPECT_FALSE(files.Exists("\\QRCodeWin32.dll"));
  EXPECT_EQ(view.items[resources::control::kVersionList].size(), 41u);  // start-up goes on
}

TEST_F(StartupTest, UncreatableSettingsFileReadsAsEmpty) {
  files.unwritable.insert("C:\\brelvanto\\Set.ini");
  logic.OnCreated();
  EXPECT_FALSE(files.files.count("C:\\brelvanto\\Set.ini"));
  EXPECT_EQ(view.texts[resources::control::kDestination], "");
}

TEST_F(StartupTest, TimerTickGoesToItsHook) {
  logic.OnTimerTick();
  EXPECT_EQ(hookLog, std::vector<std::string>{"timerTick"});
}

}  // namespace
}  // namespace qrapp::testing
