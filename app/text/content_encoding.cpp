#include "content_encoding.h"

#include "strict_gbk.h"
#include "utf8_text.h"

namespace qrtext {

bool EncodeContent(std::string_view utf8, ContentEncoding encoding, bool eciForGbk,
                   EncodedContent &out) {
  out = EncodedContent();
  int designator = 0;
  switch (encoding) {
    case ContentEncoding::kRaw: out.bytes.assign(utf8); return true;
    case ContentEncoding::kGbk:
      if (!GbkFromUtf8(utf8, out.bytes)) {
        out.bytes.clear();
        return false;
      }
      designator = eciForGbk ? kEciGbk : 0;
      break;
    case ContentEncoding::kUtf8:
    case ContentEncoding::kUtf8NoEci:
      if (!IsValidUtf8(utf8)) return false;
      out.bytes.assign(utf8);
      designator = encoding == ContentEncoding::kUtf8 ? kEciUtf8 : 0;
      break;
  }
  if (!IsAscii(out.bytes)) out.eciDesignator = designator;
  return true;
}

}  // namespace qrtext
