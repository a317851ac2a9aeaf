#include "line_record.h"

#include <cstdlib>
#include <utility>

namespace batch {

std::vector<std::string> SplitTabColumns(std::string_view line) {
  std::vector<std::string> columns;
  size_t begin = 0;
  for (;;) {
    const size_t tab = line.find('\t', begin);
    columns.emplace_back(line.substr(begin, tab - begin));
    if (tab == std::string_view::npos) return columns;
    begin = tab + 1;
  }
}

RecordFault RecordOfColumns(std::vector<std::string> columns, const ColumnChoice &choice,
                            bool nameNeeded, LineRecord &record) {
  record = LineRecord();
  const int count = static_cast<int>(columns.size());
  if (!choice.picked) {
    if (count > 3) return RecordFault::kExtraColumns;
    if (count == 1) {
      record.name = columns[0];
      record.content = std::move(columns[0]);
      return RecordFault::kNone;
    }
    record.name = std::move(columns[0]);
    record.content = std::move(columns[1]);
    if (count == 3) record.caption = std::move(columns[2]);
    return RecordFault::kNone;
  }
  const auto column = [&](int number) -> std::string & {
    return columns[static_cast<size_t>(number - 1)];
  };
  if (choice.content > count) return RecordFault::kMissingColumn;
  if (choice.name > count && nameNeeded) return RecordFault::kMissingColumn;
  // Copies: one column may be picked twice (a URL naming its own file).
  if (choice.name <= count) record.name = column(choice.name);
  record.content = column(choice.content);
  if (choice.caption > 0 && choice.caption <= count) record.caption = column(choice.caption);
  return RecordFault::kNone;
}

bool IsColumnNumber(const std::string &given) {
  return !given.empty() && given.size() <= 6 &&
         given.find_first_not_of("0123456789") == std::string::npos && std::atoi(given.c_str()) > 0;
}

int ColumnOf(const std::string &given, const std::vector<std::string> &header) {
  if (IsColumnNumber(given)) return std::atoi(given.c_str());
  for (size_t i = 0; i < header.size(); ++i) {
    if (header[i] == given) return static_cast<int>(i) + 1;
  }
  return 0;
}

}  // namespace batch
