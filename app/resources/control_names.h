// The layout names of the controls the program addresses, for the handlers,
// the notice and the window layer alike. UTF-8, as in the layout table; each
// name is checked against that table (and its kind) when this compiles.
#pragma once

#include "main_window_layout.h"

namespace resources::control {

// Single generation.
inline constexpr char kSingleText[] = "编辑框123456";  // text of the single image
inline constexpr char kSingleSide[] = "编辑框3";       // side of the single image
inline constexpr char kGenerate[] = "按钮3";
inline constexpr char kSave[] = "按钮4";
inline constexpr char kPreview[] = "图片框1";

// Batch input, destination and symbol settings.
inline constexpr char kBatchInput[] = "编辑框1";   // batch lines
inline constexpr char kDestination[] = "编辑框2";  // batch destination folder
inline constexpr char kChooseFolder[] = "按钮1";
inline constexpr char kBatchWidth[] = "编辑框4";
inline constexpr char kBatchHeight[] = "编辑框5";
inline constexpr char kVersionList[] = "组合框_版本1";
inline constexpr char kLevelList[] = "组合框_纠错1";
inline constexpr char kRunBatch[] = "按钮2";
inline constexpr char kOptions[] = "按钮5";  // opens the options dialog
inline constexpr char kImport[] = "按钮6";   // 导入…: a list file into the input box

// Batch counters.
inline constexpr char kLineCount[] = "透明标签5";     // number of input lines
inline constexpr char kWrittenCount[] = "透明标签6";  // number of files written
inline constexpr char kPercent[] = "透明标签12";      // progress in per cent
inline constexpr char kProgressBar[] = "标签1";       // width 0..200

// Information panel and clock.
inline constexpr char kLink[] = "透明标签14";
inline constexpr char kCurrentVersion[] = "透明标签15";
inline constexpr char kLatestVersion[] = "透明标签16";
inline constexpr char kAuthor[] = "透明标签17";
inline constexpr char kClockText[] = "透明标签20";
inline constexpr char kLogo[] = "图片框2";
inline constexpr char kClock[] = "时钟1";  // the 500 ms timer

static_assert(IsControlOfKind(kSingleText, ControlKind::EditBox));
static_assert(IsControlOfKind(kSingleSide, ControlKind::EditBox));
static_assert(IsControlOfKind(kGenerate, ControlKind::Button));
static_assert(IsControlOfKind(kSave, ControlKind::Button));
static_assert(IsControlOfKind(kPreview, ControlKind::PictureBox));
static_assert(IsControlOfKind(kBatchInput, ControlKind::EditBox));
static_assert(IsControlOfKind(kDestination, ControlKind::EditBox));
static_assert(IsControlOfKind(kChooseFolder, ControlKind::Button));
static_assert(IsControlOfKind(kBatchWidth, ControlKind::EditBox));
static_assert(IsControlOfKind(kBatchHeight, ControlKind::EditBox));
static_assert(IsControlOfKind(kVersionList, ControlKind::ComboBox));
static_assert(IsControlOfKind(kLevelList, ControlKind::ComboBox));
static_assert(IsControlOfKind(kRunBatch, ControlKind::Button));
static_assert(IsControlOfKind(kOptions, ControlKind::Button));
static_assert(IsControlOfKind(kImport, ControlKind::Button));
static_assert(IsControlOfKind(kLineCount, ControlKind::TransparentLabel));
static_assert(IsControlOfKind(kWrittenCount, ControlKind::TransparentLabel));
static_assert(IsControlOfKind(kPercent, ControlKind::TransparentLabel));
static_assert(IsControlOfKind(kProgressBar, ControlKind::Label));
static_assert(IsControlOfKind(kLink, ControlKind::TransparentLabel));
static_assert(IsControlOfKind(kCurrentVersion, ControlKind::TransparentLabel));
static_assert(IsControlOfKind(kLatestVersion, ControlKind::TransparentLabel));
static_assert(IsControlOfKind(kAuthor, ControlKind::TransparentLabel));
static_assert(IsControlOfKind(kClockText, ControlKind::TransparentLabel));
static_assert(IsControlOfKind(kLogo, ControlKind::PictureBox));
static_assert(IsControlOfKind(kClock, ControlKind::Timer));

}  // namespace resources::control
