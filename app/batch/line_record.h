// A batch line (or CSV record) as columns: name, content, caption.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace batch {

struct LineRecord {
  std::string name;
  std::string content;
  std::string caption;  // empty without a caption column
};

// Which columns (1-based) hold the name, the content and the caption.
// `picked` false: by the number of columns: one column is both name and
// content, two are name and content, three name, content and caption.
struct ColumnChoice {
  bool picked = false;
  int name = 1;
  int content = 2;
  int caption = 0;  // 0: none
};

enum class RecordFault {
  kNone,
  kMissingColumn,  // a picked column (the content, or the name when needed) is missing
  kExtraColumns,   // more columns than name, content and caption, none picked
};

// The columns of a line: split at every TAB (0x09 is never a GBK trail
// byte nor part of a UTF-8 sequence).
std::vector<std::string> SplitTabColumns(std::string_view line);

// The record the columns make. `nameNeeded` false (files named by number):
// a missing name column is no fault.
RecordFault RecordOfColumns(std::vector<std::string> columns, const ColumnChoice &choice,
                            bool nameNeeded, LineRecord &record);

// Resolves a column given by 1-based number ("3") or by a name of the
// header row: 0 when it is neither.
int ColumnOf(const std::string &given, const std::vector<std::string> &header);

// True when `given` is a 1-based column number.
bool IsColumnNumber(const std::string &given);

}  // namespace batch
