#include "failure_text.h"

#include <algorithm>

#include "line_display.h"

namespace qrbatch {

namespace {

std::string Size(int width, int height) {
  return std::to_string(width) + "x" + std::to_string(height);
}

std::string Reason(const qrapp::LineFailure &failure) {
  switch (failure.fault) {
    case qrapp::LineFault::kTooLong: return "too long for version 40 at this level";
    case qrapp::LineFault::kOutsideFolder: return "name leads outside the destination folder";
    case qrapp::LineFault::kInvalidName: return "not a valid file name";
    case qrapp::LineFault::kTooLarge: {
      const int width = std::max(failure.width, failure.symbolPixels);
      const int height = std::max(failure.height, failure.symbolPixels);
      return "symbol needs " + Size(failure.symbolPixels, failure.symbolPixels) + " px, image is " +
             Size(failure.width, failure.height) + "; use --size " +
             (width == height ? std::to_string(width) : Size(width, height)) + " or larger";
    }
    case qrapp::LineFault::kNameTaken:
      return "the name is already used by line " + std::to_string(failure.takenBy);
    default:
      return failure.reason.empty() ? "could not be written" : "could not be written (" + failure.reason + ")";
  }
}

}  // namespace

std::string FailureText(const qrapp::LineFailure &failure) {
#ifdef _WIN32
  const qrapp::ReportEncoding encoding = qrapp::ReportEncoding::kGbk;
#else
  const qrapp::ReportEncoding encoding = qrapp::ReportEncoding::kUtf8;
#endif
  return "line " + std::to_string(failure.lineNumber) + ": " + Reason(failure) + ": " +
         qrapp::DisplayLine(failure.line, encoding);
}

}  // namespace qrbatch
