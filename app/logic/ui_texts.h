// Fixed texts the handlers show, in UTF-8; converted with ToGbk where used.
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
inline constexpr char kLineNumberHead[] = "第 ";                         // + number
inline constexpr char kLineNumberTail[] = " 行";
inline constexpr char kMoreFailedLines[] = "……";
inline constexpr char kFaultTooLong[] = "内容过长，版本40在当前纠错级别下也容纳不下";
inline constexpr char kFaultOutsideFolder[] = "文件名会把文件写到保存位置之外";
inline constexpr char kFaultInvalidName[] = "不是有效的文件名";
inline constexpr char kFaultNotWritten[] = "文件无法写入";
inline constexpr char kReasonSeparator[] = "：";  // + the system's reason
// %1 the symbol's side, %2 x %3 the image.
inline constexpr char kFaultTooLarge[] = "二维码需要 %1×%1 像素，大于图像 %2×%3";
// %1 the line that wrote the name first.
inline constexpr char kFaultNameTaken[] = "文件名已被第 %1 行使用，内容不同";

}  // namespace qrapp::text
