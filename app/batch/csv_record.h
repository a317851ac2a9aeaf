// Records of a CSV file (RFC 4180, as spreadsheets save them): fields
// separated by commas, a field in double quotes may hold commas, doubled
// quotes ("" for one ") and line breaks. A record may span several lines.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace batch {

class CsvRecord {
 public:
  // Adds the next line (without its line end). True when it completes the
  // record; false when a quoted field is still open at its end: the line
  // break is kept in the field as LF and the record goes on in the next
  // line. A quote inside a field that did not start with one, or text after
  // a closing quote, is kept as it is (as spreadsheets read them).
  bool AddLine(std::string_view line);
  // A quoted field is open: the record needs more lines.
  bool open() const { return state_ == State::kQuoted; }
  // Bytes held so far, to bound a record that never closes.
  size_t size() const { return size_; }
  // The fields of the completed record (or of the open one, as far as
  // read); starts the next record.
  std::vector<std::string> TakeFields();

 private:
  enum class State { kFieldStart, kPlain, kQuoted, kQuoteInQuoted };

  std::vector<std::string> fields_{std::string()};
  State state_ = State::kFieldStart;
  size_t size_ = 0;
};

}  // namespace batch
