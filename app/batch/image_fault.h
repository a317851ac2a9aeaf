// Why the shared image writer made no file, as a line's fault: the same
// words in the window's batch and in qrbatch.
#pragma once

#include "image_writer.h"
#include "line_check.h"

namespace qrapp {

// The fault of the image `writer` just failed to make: it did not read
// back, its caption does not fit its band, or it could not be written.
inline LineFault FaultOfUnwrittenImage(const qrimage::ImageWriter &writer) {
  if (writer.verifyFailed()) return LineFault::kVerifyFailed;
  if (writer.captionTooLong()) return LineFault::kCaptionTooLong;
  return LineFault::kNotWritten;
}

}  // namespace qrapp
