// The main window's event table as the window layer reaches it: every
// control event goes through MainWindowLogic::OnControlEvent.
#include <stdexcept>
#include <utility>

#include "window_fixture.h"

namespace qrapp::testing {
namespace {

using EventBindingTest = WindowTest;

TEST_F(EventBindingTest, EachButtonRunsItsOwnHandler) {
  logic.OnCreated();
  view.folderChosen = "D:\\picked";
  view.Click(resources::control::kChooseFolder);
  EXPECT_EQ(view.folderDialogs, 1);
  EXPECT_EQ(view.texts[resources::control::kDestination], "D:\\picked");

  view.Type(resources::control::kSingleText, "one");
  const size_t before = engine.calls.size();
  view.Click(resources::control::kGenerate);
  EXPECT_NE(view.pictures[resources::control::kPreview], "");
  EXPECT_GT(engine.calls.size(), before);

  view.savePath = "D:\\saved.jpg";
  view.Click(resources::control::kSave);
  EXPECT_EQ(view.saveDialogs, 1);
  EXPECT_EQ(files.files["D:\\saved.jpg"], view.pictures[resources::control::kPreview]);
  EXPECT_EQ(view.folderDialogs, 1);

  view.Click(resources::control::kRunBatch);
  EXPECT_EQ(view.texts[resources::control::kPercent], "100%");
  EXPECT_EQ(view.saveDialogs, 1);
}

TEST_F(EventBindingTest, ClockAndLinkReachTheNoticeHooks) {
  logic.OnControlEvent(resources::control::kClock, ControlEvent::kTimerTick);
  logic.OnControlEvent(resources::control::kLink, ControlEvent::kLeftButtonDown);
  logic.OnControlEvent(resources::control::kLink, ControlEvent::kClicked);  // a release: nothing
  EXPECT_EQ(hookLog, (std::vector<std::string>{"timerTick", "linkPressed"}));
  EXPECT_FALSE(logic.OnControlEvent("no such control", ControlEvent::kClicked));
}

TEST_F(EventBindingTest, ProgramSetTextRaisesTheSameEventAsTyping) {
  logic.OnCreated();
  view.SetText(resources::control::kBatchInput, "a\r\nb\r\n");
  EXPECT_EQ(view.texts[resources::control::kLineCount], "2");
  view.SetText(resources::control::kLineCount, "x");  // a label raises nothing
  EXPECT_EQ(view.texts[resources::control::kLineCount], "x");
}

TEST_F(EventBindingTest, TheViewStartsFromTheLayoutAndRefusesUnknownControls) {
  EXPECT_EQ(view.Text(resources::control::kBatchInput), DefaultInput());
  EXPECT_EQ(view.Text(resources::control::kBatchWidth), "200");
  EXPECT_EQ(view.Width(resources::control::kProgressBar), 200);
  EXPECT_EQ(view.SelectedIndex(resources::control::kLevelList), 0);
  EXPECT_EQ(view.items[resources::control::kLevelList].size(), 4u);
  EXPECT_EQ(view.SelectedIndex(resources::control::kVersionList), -1);
  EXPECT_TRUE(view.items[resources::control::kVersionList].empty());

  EXPECT_THROW(view.Text("编辑框9"), std::invalid_argument);
  EXPECT_THROW(view.SetText("透明标签99", "x"), std::invalid_argument);
  EXPECT_THROW(view.SetWidth("", 1), std::invalid_argument);
  EXPECT_THROW(view.Select(resources::control::kBatchInput, 0), std::invalid_argument);
  EXPECT_THROW(view.SetPicture(resources::control::kLineCount, "x"), std::invalid_argument);
  EXPECT_THROW(view.Click(resources::control::kBatchInput), std::invalid_argument);
}

}  // namespace
}  // namespace qrapp::testing
