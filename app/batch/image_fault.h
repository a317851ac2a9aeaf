// Why the shared image writer made no file, as a line's fault: the same
// words in the window's batch and in qrbatch.
#pragma once

#include "image_writer.h"
#include "line_check.h"

namespace batch {

// The fault of an image the writer failed to make: it did not read back,
// its caption does not fit its band, or it could not be written.
inline LineFault FaultOfUnwrittenImage(const qrimage::ImageResult &unwritten) {
  switch (unwritten.failure) {
    case qrimage::ImageFailure::kNone: return LineFault::kNone;
    case qrimage::ImageFailure::kVerifyFailed: return LineFault::kVerifyFailed;
    case qrimage::ImageFailure::kCaptionTooLong: return LineFault::kCaptionTooLong;
    case qrimage::ImageFailure::kNotWritten: break;
  }
  return LineFault::kNotWritten;
}

}  // namespace batch
