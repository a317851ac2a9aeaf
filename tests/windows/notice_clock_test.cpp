// The clock text as the system formats it under a Chinese user locale.
#include <windows.h>

#include <oleauto.h>

#include "clock_format.h"
#include "notice_check.h"

using notice_check::Check;
using notice_check::CheckBytes;
using notice_check::Gbk;

static double VariantTimeOf(WORD year, WORD month, WORD day, WORD hour, WORD minute, WORD second) {
  SYSTEMTIME time{};
  time.wYear = year;
  time.wMonth = month;
  time.wDay = day;
  time.wHour = hour;
  time.wMinute = minute;
  time.wSecond = second;
  double variant = 0;
  SystemTimeToVariantTime(&time, &variant);
  return variant;
}

int main() {
  CheckBytes(notice::win::ClockLabelTextOfVariantTime(VariantTimeOf(2024, 3, 5, 14, 5, 9)),
             Gbk(L"北京时间：2024/3/5 星期二下午 14:05:09"),
             "afternoon: full weekday, 24-hour clock");
  CheckBytes(notice::win::ClockLabelTextOfVariantTime(VariantTimeOf(2021, 12, 31, 0, 0, 7)),
             Gbk(L"北京时间：2021/12/31 星期五上午 00:00:07"), "midnight shows 00, not 12");
  CheckBytes(notice::win::ClockLabelTextOfVariantTime(1.0e10), Gbk(L"北京时间："),
             "an unconvertible date-time gives the caption alone");
  const std::string now = notice::win::ClockLabelTextNow();
  Check(now.size() > Gbk(L"北京时间：2024/1/1 ").size(), "the clock of now has a date and a time");
  return notice_check::failures;
}
