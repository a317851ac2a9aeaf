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

// The image files: the engine's bitmap (the default, written by the DLL)
// or PNG and SVG, written in process by the writers qrbatch uses; or the
// whole batch as one PDF of label sheets, as qrbatch's --format pdf.
inline constexpr OptionChoice kFileTypeChoices[] = {
    {"位图 .jpg（默认）", "jpg"},
    {"PNG", "png"},
    {"SVG", "svg"},
    {"标签页 PDF", "pdf"},
};
inline constexpr OptionChoice kModuleSizeChoices[] = {
    {"0.2 厘米（默认）", "0.2cm"},
    {"自动适应图像", "auto"},
};
// Light margin asked around the symbol, in modules.
inline constexpr OptionChoice kQuietZoneChoices[] = {
    {"不要求（默认）", "none"},
    {"1 模块", "1"},
    {"2 模块", "2"},
    {"4 模块", "4"},
};
inline constexpr OptionChoice kCaptionChoices[] = {
    {"无（默认）", "none"},
    {"名称", "name"},
    {"内容", "content"},
    {"说明列（第三列）", "column"},
};
inline constexpr OptionChoice kVerifyChoices[] = {
    {"否（默认）", "off"},
    {"是", "on"},
};

// Row indexes, for the code that reads a row's choice.
enum OptionRowIndex : size_t {
  kContentEncodingRow,
  // Image files.
  kFileTypeRow,
  kModuleSizeRow,
  kQuietZoneRow,
  kCaptionRow,
  kVerifyRow,
};

inline constexpr OptionRow kOptionRows[] = {
    {"内容编码", "encoding", kContentEncodingChoices, std::size(kContentEncodingChoices), 0},
    // Image files.
    {"文件类型", "filetype", kFileTypeChoices, std::size(kFileTypeChoices), 0},
    {"模块大小", "module", kModuleSizeChoices, std::size(kModuleSizeChoices), 0},
    {"静区", "quietzone", kQuietZoneChoices, std::size(kQuietZoneChoices), 0},
    {"说明文字", "caption", kCaptionChoices, std::size(kCaptionChoices), 0},
    {"生成后校验", "verify", kVerifyChoices, std::size(kVerifyChoices), 0},
};

// Shown in place of a row's choices when this build cannot offer it (the
// row's list is disabled and keeps its default).
inline constexpr char kNoDecoderNote[] = "此版本没有解码器，不可用";

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
