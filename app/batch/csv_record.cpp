#include "csv_record.h"

#include <utility>

namespace batch {

bool CsvRecord::AddLine(std::string_view line) {
  size_ += line.size() + 1;
  for (const char c : line) {
    std::string &field = fields_.back();
    switch (state_) {
      case State::kFieldStart:
        if (c == '"') {
          state_ = State::kQuoted;
        } else if (c == ',') {
          fields_.emplace_back();
        } else {
          field += c;
          state_ = State::kPlain;
        }
        break;
      case State::kPlain:
        if (c == ',') {
          fields_.emplace_back();
          state_ = State::kFieldStart;
        } else {
          field += c;
        }
        break;
      case State::kQuoted:
        if (c == '"') {
          state_ = State::kQuoteInQuoted;
        } else {
          field += c;
        }
        break;
      case State::kQuoteInQuoted:
        if (c == '"') {  // a doubled quote
          field += c;
          state_ = State::kQuoted;
        } else if (c == ',') {
          fields_.emplace_back();
          state_ = State::kFieldStart;
        } else {  // text after the closing quote
          field += c;
          state_ = State::kPlain;
        }
        break;
    }
  }
  if (state_ == State::kQuoted) {
    fields_.back() += '\n';
    return false;
  }
  return true;
}

std::vector<std::string> CsvRecord::TakeFields() {
  std::vector<std::string> fields = std::move(fields_);
  fields_.assign(1, std::string());
  state_ = State::kFieldStart;
  size_ = 0;
  return fields;
}

}  // namespace batch
