#include "line_check.h"

namespace batch {

namespace {

LineFault FaultOfName(NameFault fault) {
  return fault == NameFault::kOutsideFolder ? LineFault::kOutsideFolder : LineFault::kInvalidName;
}

}  // namespace

LineFailure CheckLine(const BatchFileName &name, const std::string &content, ImageSize image,
                      int lineNumber, const std::function<int()> &symbolPixels, BatchNames &names,
                      uint64_t *nameKey) {
  LineFailure failure;
  failure.lineNumber = lineNumber;
  if (name.fault != NameFault::kNone) {
    failure.fault = FaultOfName(name.fault);
    return failure;
  }
  const int pixels = symbolPixels();
  if (pixels == 0) {
    failure.fault = LineFault::kTooLong;
    return failure;
  }
  if (!SymbolFitsImage(pixels, image)) {
    failure.fault = LineFault::kTooLarge;
    failure.symbolPixels = pixels;
    failure.width = image.width;
    failure.height = image.height;
    failure.captionBand = image.captionBand;
    return failure;
  }
  const uint64_t key = names.NameKey(name.path);
  if (nameKey) *nameKey = key;
  failure.takenBy = names.Claim(key, content, lineNumber);
  if (failure.takenBy != 0) failure.fault = LineFault::kNameTaken;
  return failure;
}

}  // namespace batch
