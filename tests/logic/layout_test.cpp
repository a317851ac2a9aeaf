// The main window's layout table: the options button fits in without
// moving or covering any control, and the options dialog has a row and a
// valid default for every option.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "control_names.h"
#include "options_dialog_layout.h"

namespace qrapp {
namespace {

struct Box {
  int left, top, right, bottom;
};

// The control's box in the main window's client area.
Box BoxOf(const resources::ControlLayout &control) {
  Box box = {control.left, control.top, control.left + control.width, control.top + control.height};
  for (const char *parent = control.parent; parent;) {
    const resources::ControlLayout *outer = resources::FindControlLayout(parent);
    box.left += outer->left, box.right += outer->left;
    box.top += outer->top, box.bottom += outer->top;
    parent = outer->parent;
  }
  return box;
}

bool Overlap(const Box &a, const Box &b) {
  return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

TEST(MainWindowLayout, TheOptionsButtonCoversNoControl) {
  const resources::ControlLayout *options =
      resources::FindControlLayout(resources::control::kOptions);
  ASSERT_NE(options, nullptr);
  EXPECT_STREQ(options->text, "选项…");
  EXPECT_EQ(options->parent, nullptr);
  const Box button = BoxOf(*options);
  for (const resources::ControlLayout &other : resources::kMainWindowControls) {
    if (&other == options || other.width == 0) continue;
    EXPECT_FALSE(Overlap(button, BoxOf(other))) << other.name;
  }
  // Inside the client area of the fixed-size window.
  EXPECT_GE(button.left, 0);
  EXPECT_LE(button.right, resources::kMainWindow.outerWidth - 16);
}

TEST(OptionsDialogLayout, EveryRowHasChoicesAndAValidDefault) {
  for (const resources::OptionRow &row : resources::kOptionRows) {
    SCOPED_TRACE(row.key);
    ASSERT_GT(row.choiceCount, 0u);
    EXPECT_GE(row.defaultChoice, 0);
    EXPECT_LT(static_cast<size_t>(row.defaultChoice), row.choiceCount);
    EXPECT_NE(std::string(row.key), "route");  // the destination folder's key
    for (size_t i = 0; i < row.choiceCount; ++i)
      for (size_t k = i + 1; k < row.choiceCount; ++k)
        EXPECT_STRNE(row.choices[i].value, row.choices[k].value);
  }
  EXPECT_STREQ(resources::kOptionRows[resources::kContentEncodingRow].choices[0].value,
               "gbk");  // the default
}

}  // namespace
}  // namespace qrapp
