#include "line_check.h"

namespace qrapp {

namespace {

LineFault FaultOfName(NameFault fault) {
  return fault == NameFault::kOutsideFolder ? LineFault::kOutsideFolder : LineFault::kInvalidName;
}

}  // namespace

LineFault CheckLine(const BatchFileName &name, const std::string &content, ImageSize image,
                    int lineNumber, const std::function<int()> &symbolPixels, BatchNames &names,
                    LineFailure &failure, uint64_t *nameKey) {
  if (name.fault != NameFault::kNone) return FaultOfName(name.fault);
  const int pixels = symbolPixels();
  if (pixels == 0) return LineFault::kTooLong;
  if (!SymbolFitsImage(pixels, image)) {
    failure.symbolPixels = pixels;
    failure.width = image.width;
    failure.height = image.height;
    failure.captionBand = image.captionBand;
    return LineFault::kTooLarge;
  }
  const uint64_t key = names.NameKey(name.path);
  if (nameKey) *nameKey = key;
  failure.takenBy = names.Claim(key, content, lineNumber);
  return failure.takenBy != 0 ? LineFault::kNameTaken : LineFault::kNone;
}

}  // namespace qrapp
