#include "clock_format.h"

#include <windows.h>

#include "clock_text.h"

namespace notice::win {
namespace {

using VariantTimeToSystemTimeFn = INT(WINAPI *)(DOUBLE, LPSYSTEMTIME);
using SystemTimeToVariantTimeFn = INT(WINAPI *)(LPSYSTEMTIME, DOUBLE *);
using FormatFn = int(WINAPI *)(LCID, DWORD, const SYSTEMTIME *, LPCSTR, LPSTR, int);

// The date and time functions are looked up by name once.
struct DateTimeFunctions {
  VariantTimeToSystemTimeFn variantToSystem = nullptr;
  SystemTimeToVariantTimeFn systemToVariant = nullptr;
  FormatFn formatDate = nullptr;
  FormatFn formatTime = nullptr;

  DateTimeFunctions() {
    if (HMODULE oleaut = LoadLibraryA("oleaut32.dll")) {
      variantToSystem = reinterpret_cast<VariantTimeToSystemTimeFn>(
          reinterpret_cast<void *>(GetProcAddress(oleaut, "VariantTimeToSystemTime")));
      systemToVariant = reinterpret_cast<SystemTimeToVariantTimeFn>(
          reinterpret_cast<void *>(GetProcAddress(oleaut, "SystemTimeToVariantTime")));
    }
    if (HMODULE kernel = GetModuleHandleA("kernel32.dll")) {
      formatDate = reinterpret_cast<FormatFn>(
          reinterpret_cast<void *>(GetProcAddress(kernel, "GetDateFormatA")));
      formatTime = reinterpret_cast<FormatFn>(
          reinterpret_cast<void *>(GetProcAddress(kernel, "GetTimeFormatA")));
    }
  }
};

const DateTimeFunctions &Functions() {
  static const DateTimeFunctions functions;
  return functions;
}

constexpr int kFormatBufferSize = 50;
constexpr LCID kUserDefaultLocale = 0;

std::string Formatted(FormatFn format, DWORD flags, const SYSTEMTIME &time, const char *picture) {
  char buffer[kFormatBufferSize] = {};
  if (format) format(kUserDefaultLocale, flags, &time, picture, buffer, kFormatBufferSize);
  return TextOfFormatBuffer(buffer, sizeof buffer);
}

}  // namespace

std::string ClockLabelTextOfVariantTime(double variantTime) {
  const DateTimeFunctions &functions = Functions();
  SYSTEMTIME time{};
  if (!functions.variantToSystem || !functions.variantToSystem(variantTime, &time)) {
    return ClockLabelText("", "");
  }
  return ClockLabelText(
      Formatted(functions.formatDate, 0, time, "yyyy/M/d dddd"),
      Formatted(functions.formatTime, TIME_FORCE24HOURFORMAT, time, "tt hh:mm:ss"));
}

std::string ClockLabelTextNow() {
  SYSTEMTIME now{};
  GetLocalTime(&now);
  now.wMilliseconds = 0;
  double variantTime = 0;
  const DateTimeFunctions &functions = Functions();
  if (!functions.systemToVariant || !functions.systemToVariant(&now, &variantTime))
    return ClockLabelText("", "");
  return ClockLabelTextOfVariantTime(variantTime);
}

}  // namespace notice::win
