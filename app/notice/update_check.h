#pragma once
// Whether the notice announces a newer version, and what the prompt says.
#include <string>
#include <string_view>

#include "notice_info.h"

namespace notice {

// The leading decimal number of the text ("3" -> 3, "2.5" -> 2), 0 when it
// does not begin with a digit. Very long numbers saturate instead of wrapping.
long long LeadingInteger(std::string_view text);

bool IsNewerThanCurrent(std::string_view latestVersion);

// The text of the first update message box (GBK).
std::string UpdateMessageText(const NoticeInfo &info);

}  // namespace notice
