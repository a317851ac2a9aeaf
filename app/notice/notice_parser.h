#pragma once
// Reading the notice page: fields separated by "|<br>", each "name=value".
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "notice_info.h"

namespace notice {

// The body as text: its bytes up to the first zero byte, unconverted.
std::string NoticeTextOfBody(std::string_view body);

// Splits at every "|<br>". A GBK lead byte takes the byte after it along, so
// a "|" that is the second byte of a double-byte character never matches. A
// trailing separator adds no field; an empty text has no fields.
std::vector<std::string> SplitNoticeFields(std::string_view text);

// The text between the field's first and second "=" (or its end). A field
// without "=", or with nothing after its first "=", has no usable value.
std::optional<std::string> FieldValue(std::string_view field);

// The whole text after the field's first "=": the link's value, whose query
// string holds "=" of its own. Unusable as for FieldValue.
std::optional<std::string> WholeFieldValue(std::string_view field);

// Fills `info` from the fields in order (the link with its whole value,
// the others up to their second "=") and returns how many of the six
// were usable; reading stops at the first unusable or missing field, so the
// values before it are kept and the rest stay as they were.
int ReadNoticeFields(const std::vector<std::string> &fields, NoticeInfo &info);

constexpr int kNoticeFieldCount = 6;

}  // namespace notice
