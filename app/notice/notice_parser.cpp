#include "notice_parser.h"

#include <algorithm>

#include "gbk_bytes.h"
#include "notice_texts.h"

namespace notice {
namespace {

constexpr std::string_view kSeparator = "|<br>";
constexpr int kLinkField = 2;

}  // namespace

std::string NoticeTextOfBody(std::string_view body) {
  return std::string(body.substr(0, body.find('\0')));
}

std::vector<std::string> SplitNoticeFields(std::string_view text) {
  std::vector<std::string> fields;
  std::size_t fieldStart = 0;
  std::size_t i = 0;
  while (i < text.size()) {
    if (text.compare(i, kSeparator.size(), kSeparator) == 0) {
      fields.emplace_back(text.substr(fieldStart, i - fieldStart));
      i += kSeparator.size();
      fieldStart = i;
    } else if (qrtext::IsLeadByte(static_cast<unsigned char>(text[i])) && i + 1 < text.size()) {
      i += 2;
    } else {
      ++i;
    }
  }
  if (fieldStart < text.size()) fields.emplace_back(text.substr(fieldStart));
  return fields;
}

std::optional<std::string> WholeFieldValue(std::string_view field) {
  const std::size_t first = field.find('=');
  if (first == std::string_view::npos || first + 1 == field.size()) return std::nullopt;
  return std::string(field.substr(first + 1));
}

std::optional<std::string> FieldValue(std::string_view field) {
  std::optional<std::string> value = WholeFieldValue(field);
  if (value) value->resize(std::min(value->size(), value->find('=')));
  return value;
}

int ReadNoticeFields(const std::vector<std::string> &fields, NoticeInfo &info) {
  std::string *const textTargets[] = {&info.title, &info.latestVersion, &info.link, &info.author,
                                      &info.changeLog};
  int read = 0;
  for (; read < kNoticeFieldCount && read < static_cast<int>(fields.size()); ++read) {
    std::optional<std::string> value =
        read == kLinkField ? WholeFieldValue(fields[read]) : FieldValue(fields[read]);
    if (!value) break;
    if (read < kNoticeFieldCount - 1)
      *textTargets[read] = std::move(*value);
    else
      info.mandatory = (*value == text::kMandatoryFlag);
  }
  return read;
}

}  // namespace notice
