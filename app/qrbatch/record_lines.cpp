#include "record_lines.h"

#include <utility>

#include "input_lines.h"

namespace qrbatch {

bool RecordLines::Add(int lineNumber, std::string line, InputRecord &record) {
  if (!csv_) {
    record = InputRecord();
    record.lineNumber = lineNumber;
    record.cut = line.size() > qrplatform::kLongestLine;
    record.fields = batch::SplitTabColumns(line);
    record.text = std::move(line);
    return true;
  }
  if (!open_.open()) {
    pending_ = InputRecord();
    pending_.lineNumber = lineNumber;
  } else {
    pending_.text += '\n';
  }
  pending_.cut = pending_.cut || line.size() > qrplatform::kLongestLine;
  const bool complete = open_.AddLine(line);
  pending_.text += line;
  if (!complete && open_.size() <= qrplatform::kLongestLine) return false;
  Take(record);
  return true;
}

bool RecordLines::Finish(InputRecord &record) {
  if (!csv_ || !open_.open()) return false;
  Take(record);
  return true;
}

void RecordLines::Take(InputRecord &record) {
  pending_.unclosed = open_.open();
  pending_.fields = open_.TakeFields();
  record = std::move(pending_);
  pending_ = InputRecord();
}

ColumnPick ChooseColumns(const Options &options, const std::vector<std::string> &header) {
  ColumnPick pick;
  if (options.columns.empty()) return pick;
  batch::ColumnChoice &choice = pick.choice;
  int *const picks[] = {&choice.name, &choice.content, &choice.caption};
  for (size_t i = 0; i < options.columns.size(); ++i) {
    *picks[i] = batch::ColumnOf(options.columns[i], header);
    if (*picks[i] == 0) {
      pick.error = "the header row has no column " + options.columns[i];
      return pick;
    }
  }
  choice.picked = true;
  return pick;
}

}  // namespace qrbatch
