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
// The report file of a batch with failed lines, in its destination folder.
inline constexpr char kReportFileName[] = "批量生成报告.csv";
inline constexpr char kReportWritten[] = "每一行的结果已写入报告文件：";  // + path
inline constexpr char kReportNotWritten[] = "报告文件无法写入：";         // + path
// 导入…: the file dialog's filter and the result.
inline constexpr char kImportFilter[] = "文本或 CSV 文件 (*.txt;*.csv)";
inline constexpr char kImportCaption[] = "导入";
inline constexpr char kImportUnreadable[] = "无法读取文件：";  // + path
// The words for the line faults: kWindowFailureTexts (failure_texts.h).

}  // namespace qrapp::text
