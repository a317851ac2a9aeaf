#include "list_import.h"

#include <cctype>
#include <utility>

#include "csv_record.h"
#include "input_decoding.h"
#include "line_splitter.h"
#include "options_dialog_layout.h"

namespace qrapp {

namespace {

// Listed rows of one kind in the summary; the rest are counted.
constexpr size_t kListedRows = 20;

bool IsCsvFileName(std::string_view name) {
  constexpr std::string_view kExtension = ".csv";
  if (name.size() < kExtension.size()) return false;
  const std::string_view tail = name.substr(name.size() - kExtension.size());
  for (size_t i = 0; i < tail.size(); ++i)
    if (std::tolower(static_cast<unsigned char>(tail[i])) != kExtension[i]) return false;
  return true;
}

std::string EncodingName(std::string_view bytes, const qrtext::InputDecoder &decoder) {
  if (bytes.substr(0, 3) == "\xEF\xBB\xBF") return "UTF-8（带 BOM）";
  if (bytes.substr(0, 2) == "\xFF\xFE") return "UTF-16LE";
  if (bytes.substr(0, 2) == "\xFE\xFF") return "UTF-16BE";
  return decoder.lineEncoding() == qrtext::InputEncoding::kGbk ? "GBK" : "UTF-8";
}

bool NeedsEscapes(std::string_view content) {
  return content.find_first_of("\r\n\t") != std::string_view::npos;
}

// The content with its line breaks and TABs as escapes; backslashes
// doubled unless they are escapes already.
std::string Escaped(std::string_view content, bool backslashes) {
  std::string out;
  out.reserve(content.size());
  for (const char c : content) {
    switch (c) {
      case '\\': out += backslashes ? "\\\\" : "\\"; break;
      case '\n': out += "\\n"; break;
      case '\r': out += "\\r"; break;
      case '\t': out += "\\t"; break;
      default: out += c;
    }
  }
  return out;
}

// A name or caption stays on its line and in its column.
std::string OnOneLine(std::string text) {
  for (char &c : text)
    if (c == '\r' || c == '\n' || c == '\t') c = ' ';
  return text;
}

struct Row {
  int line = 0;  // its first line in the file
  std::vector<std::string> fields;
};

std::vector<Row> RowsOf(const std::vector<std::string> &lines, const qrtext::InputDecoder &decoder,
                        bool csv, ImportResult &result) {
  std::vector<Row> rows;
  batch::CsvRecord record;
  int first = 0;
  std::string text;
  for (size_t i = 0; i < lines.size(); ++i) {
    const int lineNumber = static_cast<int>(i) + 1;
    if (!decoder.DecodeLine(lines[i], text)) {
      result.undecodable.push_back(lineNumber);
      continue;
    }
    if (!csv) {
      rows.push_back({lineNumber, batch::SplitTabColumns(text)});
      continue;
    }
    if (!record.open()) first = lineNumber;
    if (record.AddLine(text)) rows.push_back({first, record.TakeFields()});
  }
  // A quote that never closes: the record as far as read.
  if (record.open()) rows.push_back({first, record.TakeFields()});
  return rows;
}

}  // namespace

ImportChoice ImportChoiceOf(const WindowOptions &options) {
  ImportChoice choice;
  choice.separator =
      static_cast<ImportSeparator>(ChosenOf(options, resources::OptionRowOf("import-separator")));
  choice.header = ChosenOf(options, resources::OptionRowOf("import-header")) == 1;
  // 0: by the number of columns; 1..9 that column (the caption: 1 none).
  const int name = ChosenOf(options, resources::OptionRowOf("import-name"));
  const int content = ChosenOf(options, resources::OptionRowOf("import-content"));
  const int caption = ChosenOf(options, resources::OptionRowOf("import-caption"));
  // The columns are picked when 内容列 names one; without 名称列 the content
  // names its own file.
  if (content > 0) {
    choice.columns.picked = true;
    choice.columns.content = content;
    choice.columns.name = name > 0 ? name : content;
    choice.columns.caption = caption >= 2 ? caption - 1 : 0;
  } else if (caption == 1) {
    choice.noCaption = true;
  }
  choice.escapes = EscapesOf(options);
  return choice;
}

ImportResult ImportList(std::string_view bytes, std::string_view fileName,
                        const ImportChoice &choice) {
  ImportResult result;
  qrtext::InputDecoder decoder(qrtext::InputEncoding::kAuto);
  std::string stream;
  decoder.Feed(bytes.data(), bytes.size(), stream);
  decoder.Finish(stream);
  result.encoding = EncodingName(bytes, decoder);
  result.csv = choice.separator == ImportSeparator::kCsv ||
               (choice.separator == ImportSeparator::kAuto && IsCsvFileName(fileName));
  std::vector<Row> rows = RowsOf(SplitFileLines(stream), decoder, result.csv, result);
  if (choice.header && !rows.empty()) rows.erase(rows.begin());

  // Each row as the input box's columns, and which of them is the content.
  std::vector<std::pair<std::vector<std::string>, size_t>> lines;
  lines.reserve(rows.size());
  for (Row &row : rows) {
    std::vector<std::string> columns;
    if (!choice.columns.picked) {
      columns = std::move(row.fields);
      if (choice.noCaption && columns.size() == 3) columns.pop_back();
    } else {
      batch::LineRecord record;
      if (batch::RecordOfColumns(std::move(row.fields), choice.columns, true, record) !=
          batch::RecordFault::kNone) {
        result.missingColumns.push_back(row.line);
        continue;
      }
      columns = {std::move(record.name), std::move(record.content)};
      if (choice.columns.caption > 0) columns.push_back(std::move(record.caption));
    }
    const size_t content = columns.size() == 1 ? 0 : 1;
    if (NeedsEscapes(columns[content])) ++result.escapedContents;
    lines.emplace_back(std::move(columns), content);
  }

  const bool escaping = result.escapedContents > 0;
  result.escapesNeeded = escaping && !choice.escapes;
  for (auto &[columns, content] : lines) {
    for (size_t i = 0; i < columns.size(); ++i) {
      if (i == content) {
        if (escaping) columns[i] = Escaped(columns[i], !choice.escapes);
      } else {
        columns[i] = OnOneLine(std::move(columns[i]));
      }
      if (i > 0) result.text += '\t';
      result.text += columns[i];
    }
    result.text += "\r\n";
    ++result.lines;
  }
  return result;
}

namespace {

void AddRows(std::string &summary, const char *head, const std::vector<int> &rows) {
  if (rows.empty()) return;
  summary += "\r\n";
  summary += head;
  summary += "第 ";
  for (size_t i = 0; i < rows.size() && i < kListedRows; ++i)
    summary += (i ? "、" : "") + std::to_string(rows[i]);
  summary += " 行";
  if (rows.size() > kListedRows)
    summary += "…及其他 " + std::to_string(rows.size() - kListedRows) + " 行";
}

}  // namespace

std::string ImportSummary(const ImportResult &result) {
  std::string summary = "已导入 " + std::to_string(result.lines) + " 行（编码 " + result.encoding +
                        "，" + (result.csv ? "CSV 逗号分列" : "TAB 分列") + "）。";
  if (result.escapedContents > 0) {
    summary += "\r\n有 " + std::to_string(result.escapedContents) +
               " 行的内容含换行或 TAB，已写成转义（\\n、\\r\\n、\\t），内容不丢失";
    summary += result.escapesNeeded ? "；选项“转义”已打开。" : "。";
  }
  AddRows(summary, "以下行不是有效文本，未导入：", result.undecodable);
  AddRows(summary, "以下行缺少所选的列，未导入：", result.missingColumns);
  return summary;
}

}  // namespace qrapp
