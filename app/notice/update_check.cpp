#include "update_check.h"

#include <limits>

#include "notice_texts.h"

namespace notice {

long long LeadingInteger(std::string_view text) {
  constexpr long long kMax = std::numeric_limits<long long>::max();
  long long value = 0;
  for (char c : text) {
    if (c < '0' || c > '9') break;
    const int digit = c - '0';
    if (value > (kMax - digit) / 10) return kMax;
    value = value * 10 + digit;
  }
  return value;
}

bool IsNewerThanCurrent(std::string_view latestVersion) {
  return LeadingInteger(latestVersion) > currentVersion;
}

std::string UpdateMessageText(const NoticeInfo &info) {
  return text::kUpdateIntro + std::to_string(currentVersion) + text::kLatestLine +
         info.latestVersion + text::kChangeLogLine + info.changeLog;
}

}  // namespace notice
