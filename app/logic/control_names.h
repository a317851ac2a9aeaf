// Layout names of the main window's controls that the handlers address.
// UTF-8 here; the window layer maps them to its controls.
#pragma once

namespace qrapp::control {

inline constexpr char kSingleText[] = "编辑框123456";   // text of the single image
inline constexpr char kSingleSide[] = "编辑框3";        // side of the single image
inline constexpr char kBatchInput[] = "编辑框1";        // batch lines
inline constexpr char kDestination[] = "编辑框2";       // batch destination folder
inline constexpr char kBatchWidth[] = "编辑框4";
inline constexpr char kBatchHeight[] = "编辑框5";
inline constexpr char kVersionList[] = "组合框_版本1";
inline constexpr char kLevelList[] = "组合框_纠错1";
inline constexpr char kLineCount[] = "透明标签5";       // number of input lines
inline constexpr char kWrittenCount[] = "透明标签6";    // number of files written
inline constexpr char kPercent[] = "透明标签12";        // progress in per cent
inline constexpr char kProgressBar[] = "标签1";         // width 0..200
inline constexpr char kPreview[] = "图片框1";

}  // namespace qrapp::control
