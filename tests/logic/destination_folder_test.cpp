// Destination folder: stored on every change, chosen with the browser; and
// the coupling of the two size boxes.
#include "window_fixture.h"

namespace qrapp::testing {
namespace {

class DestinationTest : public WindowTest {
 protected:
  void SetUp() override { logic.OnCreated(); }
  std::string Stored() { return settings.Read("preservation", "route"); }
};

TEST_F(DestinationTest, EveryChangeIsStored) {
  view.Type(resources::control::kDestination, "D");
  view.Type(resources::control::kDestination, "D:");
  EXPECT_EQ(Stored(), "D:");
  view.Type(resources::control::kDestination, "");
  EXPECT_EQ(files.files["C:\\brelvanto\\Set.ini"], "[preservation]\r\nroute=\r\n");
}

TEST_F(DestinationTest, ChosenFolderIsShownAndStored) {
  view.folderChosen = G("D:\\二维码");
  logic.OnChooseFolderClicked();
  EXPECT_EQ(view.folderTitle, G("选择保存位置"));
  EXPECT_EQ(view.texts[resources::control::kDestination], G("D:\\二维码"));
  EXPECT_EQ(Stored(), G("D:\\二维码"));

  // The next start shows it again.
  FakeView nextView;
  MainWindowLogic next(nextView, engine, symbols, clock, files, settings, Paths(), engineImage);
  next.OnCreated();
  EXPECT_EQ(nextView.texts[resources::control::kDestination], G("D:\\二维码"));
}

TEST_F(DestinationTest, DriveRootKeepsItsBackslash) {
  view.folderChosen = "D:\\";
  logic.OnChooseFolderClicked();
  EXPECT_EQ(Stored(), "D:\\");
}

TEST_F(DestinationTest, CancellingTheBrowserKeepsTheFolder) {
  view.Type(resources::control::kDestination, "D:\\out");
  view.folderConfirmed = false;
  logic.OnChooseFolderClicked();
  EXPECT_EQ(view.folderDialogs, 1);
  EXPECT_EQ(view.texts[resources::control::kDestination], "D:\\out");
  EXPECT_EQ(Stored(), "D:\\out");
}

TEST_F(DestinationTest, WidthIsCopiedToHeightButNotBack) {
  view.Type(resources::control::kBatchWidth, "300");
  EXPECT_EQ(view.texts[resources::control::kBatchHeight], "300");
  view.Type(resources::control::kBatchHeight, "100");
  EXPECT_EQ(view.texts[resources::control::kBatchWidth], "300");
  view.Type(resources::control::kBatchWidth, G("２５０"));
  EXPECT_EQ(view.texts[resources::control::kBatchHeight], G("２５０"));
}

TEST_F(DestinationTest, InputChangesAreCounted) {
  view.Type(resources::control::kBatchInput, "a\r\n\r\nb");
  EXPECT_EQ(view.texts[resources::control::kLineCount], "3");
  view.Type(resources::control::kBatchInput, "");
  EXPECT_EQ(view.texts[resources::control::kLineCount], "0");
}

}  // namespace
}  // namespace qrapp::testing
