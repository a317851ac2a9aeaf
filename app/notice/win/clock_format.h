#pragma once
// The clock label's text from the system's date and time formatting.
#include <string>

namespace notice::win {

// "北京时间：" + "yyyy/M/d dddd" + "tt hh:mm:ss" (24-hour), user's default
// locale, GBK. A date-time value the system cannot convert gives the
// caption alone.
std::string ClockLabelTextOfVariantTime(double variantTime);

// The same for the computer's local time now, to the second.
std::string ClockLabelTextNow();

}  // namespace notice::win
