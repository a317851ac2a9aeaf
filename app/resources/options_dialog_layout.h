// The options dialog, row by row: each row is one setting, shown as a label
// and a drop-down list of its choices, kept in the settings file under its
// key as the chosen value. A new option is one more row. Texts are UTF-8.
#pragma once

#include <cstddef>
#include <iterator>
#include <string_view>

namespace resources {

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
// The smallest module a label of the label sheets may have: a code whose
// module would come out smaller is refused rather than printed unreadable.
inline constexpr OptionChoice kSmallestLabelModuleChoices[] = {
    {"0.25 毫米（默认）", "0.25mm"}, {"0.2 毫米", "0.2mm"}, {"0.33 毫米", "0.33mm"},
    {"0.5 毫米", "0.5mm"},           {"不限", "0"},
};
inline constexpr OptionChoice kVerifyChoices[] = {
    {"否（默认）", "off"},
    {"是", "on"},
};

// The batch's file names (按行: the name column; 按序号: the line's number;
// 安全名: the name column made storable), escapes in the content, and how
// 导入… reads a list: TAB or CSV (自动: by the file's extension), a header
// row, which columns are name, content and caption.
inline constexpr OptionChoice kFileNameChoices[] = {
    {"按行（默认）", "line"},
    {"按序号", "number"},
    {"安全名", "safe"},
};
inline constexpr OptionChoice kEscapesChoices[] = {
    {"关（默认）", "off"},
    {"开（\\n \\t \\uNNNN…）", "on"},
};
inline constexpr OptionChoice kImportSeparatorChoices[] = {
    {"自动（.csv 为逗号）", "auto"},
    {"TAB", "tab"},
    {"CSV（逗号）", "csv"},
};
inline constexpr OptionChoice kImportHeaderChoices[] = {
    {"无（默认）", "no"},
    {"跳过首行", "yes"},
};
// Value "auto" (or "none" for the caption): by the number of columns.
inline constexpr OptionChoice kImportColumnChoices[] = {
    {"按列数（默认）", "auto"}, {"第 1 列", "1"}, {"第 2 列", "2"}, {"第 3 列", "3"},
    {"第 4 列", "4"},           {"第 5 列", "5"}, {"第 6 列", "6"}, {"第 7 列", "7"},
    {"第 8 列", "8"},           {"第 9 列", "9"},
};
inline constexpr OptionChoice kImportCaptionColumnChoices[] = {
    {"按列数（默认）", "auto"}, {"无", "none"},   {"第 1 列", "1"}, {"第 2 列", "2"},
    {"第 3 列", "3"},           {"第 4 列", "4"}, {"第 5 列", "5"}, {"第 6 列", "6"},
    {"第 7 列", "7"},           {"第 8 列", "8"}, {"第 9 列", "9"},
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
  kSmallestLabelModuleRow,
};

inline constexpr OptionRow kOptionRows[] = {
    {"内容编码", "encoding", kContentEncodingChoices, std::size(kContentEncodingChoices), 0},
    // Image files.
    {"文件类型", "filetype", kFileTypeChoices, std::size(kFileTypeChoices), 0},
    {"模块大小", "module", kModuleSizeChoices, std::size(kModuleSizeChoices), 0},
    {"静区", "quietzone", kQuietZoneChoices, std::size(kQuietZoneChoices), 0},
    {"说明文字", "caption", kCaptionChoices, std::size(kCaptionChoices), 0},
    {"生成后校验", "verify", kVerifyChoices, std::size(kVerifyChoices), 0},
    {"标签最小模块", "min-module", kSmallestLabelModuleChoices,
     std::size(kSmallestLabelModuleChoices), 0},
    // Names, escapes and the import.
    {"文件名", "names", kFileNameChoices, std::size(kFileNameChoices), 0},
    {"转义", "escapes", kEscapesChoices, std::size(kEscapesChoices), 0},
    {"导入分列", "import-separator", kImportSeparatorChoices, std::size(kImportSeparatorChoices),
     0},
    {"导入标题行", "import-header", kImportHeaderChoices, std::size(kImportHeaderChoices), 0},
    {"名称列", "import-name", kImportColumnChoices, std::size(kImportColumnChoices), 0},
    {"内容列", "import-content", kImportColumnChoices, std::size(kImportColumnChoices), 0},
    {"说明列", "import-caption", kImportCaptionColumnChoices,
     std::size(kImportCaptionColumnChoices), 0},
};

// Shown in place of a row's choices when this build cannot offer it (the
// row's list is disabled and keeps its default).
inline constexpr char kNoDecoderNote[] = "此版本没有解码器，不可用";

// The index of the row kept under `key`; the number of rows when none is.
constexpr size_t OptionRowOf(std::string_view key) {
  size_t i = 0;
  while (i < std::size(kOptionRows) && key != kOptionRows[i].key) ++i;
  return i;
}

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

}  // namespace resources
