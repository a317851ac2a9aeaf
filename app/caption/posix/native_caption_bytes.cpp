#include "native_caption_bytes.h"

namespace qrcaption {

// Linux lines are UTF-8 already; CaptionText shows any stray byte.
std::string Utf8OfNativeBytes(const std::string &bytes) { return bytes; }

}  // namespace qrcaption
