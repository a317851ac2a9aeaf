// Fixed texts the handlers show, in UTF-8.
#pragma once

namespace qrapp::text {

inline constexpr char kEmptySingleText[] = "未检测到你输入了内容";
inline constexpr char kChooseFolderTitle[] = "选择保存位置";
inline constexpr char kMessageCaption[] = "提示";
inline constexpr char kNoDestination[] = "请先选择保存位置，再批量生成。";
inline constexpr char kNothingToSave[] = "还没有可保存的图像，请先生成二维码。";
inline constexpr char kSaveFailed[] = "无法写入所选文件：";
inline constexpr char kFailedLinesHead[] = "以下行没有生成图像文件，共 ";  // + count
inline constexpr char kFailedLinesTail[] = " 行：";
inline constexpr char kLineNumberHead[] = "第 ";  // + number
inline constexpr char kLineNumberTail[] = " 行";
inline constexpr char kMoreFailedLinesHead[] = "…及其他 ";  // + count of lines not listed
inline constexpr char kMoreFailedLinesTail[] = " 行";
// The words for the line faults: kWindowFailureTexts (failure_texts.h).

}  // namespace qrapp::text
