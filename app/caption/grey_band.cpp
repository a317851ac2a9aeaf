#include "text_stack.h"

namespace qrcaption {

void GreyBand::Reset(int bandWidth, int bandHeight) {
  width = bandWidth > 0 ? bandWidth : 0;
  height = bandHeight > 0 ? bandHeight : 0;
  stride = (width + 3) & ~3;  // as cairo's A8 surfaces want it
  pixels.assign(static_cast<size_t>(stride) * static_cast<size_t>(height), 0);
}

}  // namespace qrcaption
