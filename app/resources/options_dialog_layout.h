// The options dialog, row by row: each row is one setting, shown as a label
// and a drop-down list of its choices, kept in the settings file under its
// key as the chosen value. A new option is one more row. Texts are UTF-8.
#pragma once

#include <cstddef>
#include <iterator>

namespace qrapp {

struct OptionChoice {
  const char *text;   // shown in the list
  const char *value;  // kept in the settings file
};

struct OptionRow {
  const char *label;
  const char *key;  // settings key, in the section of the destination folder
  const OptionChoice *choices;
  size_t choiceCount;
  int defaultChoice;  // when the file holds no value, or one no choice has
};

inline constexpr OptionChoice kContentEncodingChoices[] = {
    {"GBK（默认）", "gbk"},
    {"UTF-8（ECI 26）", "utf-8"},
    {"UTF-8（无 ECI）", "utf-8-noeci"},
    {"GBK（ECI 29）", "gbk-eci"},
};

// Row indexes, for the code that reads a row's choice.
enum OptionRowIndex : size_t { kContentEncodingRow };

inline constexpr OptionRow kOptionRows[] = {
    {"内容编码", "encoding", kContentEncodingChoices, std::size(kContentEncodingChoices), 0},
};

// Geometry of the dialog, in pixels of its client area.
struct OptionsDialogLayout {
  const char *className;
  const char *title;
  int margin;
  int rowHeight;  // from one row's top to the next
  int labelWidth, listWidth, listHeight, controlHeight;
  int buttonWidth, buttonGap;
  const char *okText, *cancelText;
  int firstListId, okId, cancelId;  // row i's list has id firstListId + i
};

inline constexpr OptionsDialogLayout kOptionsDialog = {
    "QRBatchOptionsDialog", "选项", 12, 30, 72, 160, 120, 22, 72, 8, "确定", "取消", 3001, 1, 2};

}  // namespace qrapp
