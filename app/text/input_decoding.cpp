#include "input_decoding.h"

#include "strict_gbk.h"
#include "utf8_text.h"

namespace qrtext {

namespace {

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16LeMark = "\xFF\xFE";
constexpr std::string_view kUtf16BeMark = "\xFE\xFF";

bool StartsWith(std::string_view text, std::string_view prefix) {
  return text.substr(0, prefix.size()) == prefix;
}

// `held` is the start of `mark` and may still become all of it.
bool MayBecome(std::string_view held, std::string_view mark) {
  return held.size() < mark.size() && StartsWith(mark, held);
}

// A lone surrogate kept in the stream as its three-byte form (AppendUtf8
// writes it as it is), which no strict UTF-8 reader accepts: the line
// holding it fails, and the report still shows where.
void PutLoneSurrogate(char16_t unit, std::string &out) { AppendUtf8(out, unit); }

}  // namespace

bool ParseInputEncoding(std::string_view name, InputEncoding &encoding) {
  if (name == "auto")
    encoding = InputEncoding::kAuto;
  else if (name == "utf-8")
    encoding = InputEncoding::kUtf8;
  else if (name == "gbk")
    encoding = InputEncoding::kGbk;
  else if (name == "utf-16")
    encoding = InputEncoding::kUtf16;
  else
    return false;
  return true;
}

InputDecoder::InputDecoder(InputEncoding requested)
    : requested_(requested),
      lineEncoding_(requested == InputEncoding::kUtf16 ? InputEncoding::kUtf8 : requested) {}

void InputDecoder::Feed(const char *data, size_t size, std::string &out) {
  if (stage_ == Stage::kStart) {
    held_.append(data, size);
    Start(false, out);
    return;
  }
  Pass(std::string_view(data, size), false, out);
}

void InputDecoder::Finish(std::string &out) {
  if (stage_ == Stage::kStart) Start(true, out);
  Pass(std::string_view(), true, out);
}

void InputDecoder::Start(bool atEnd, std::string &out) {
  const bool utf8Mark = requested_ == InputEncoding::kAuto || requested_ == InputEncoding::kUtf8;
  const bool utf16Mark = requested_ == InputEncoding::kAuto || requested_ == InputEncoding::kUtf16;
  if (!atEnd && ((utf8Mark && MayBecome(held_, kUtf8Mark)) ||
                 (utf16Mark && (MayBecome(held_, kUtf16LeMark) || MayBecome(held_, kUtf16BeMark)))))
    return;  // wait for the rest of a possible mark
  size_t markSize = 0;
  stage_ = requested_ == InputEncoding::kUtf16 ? Stage::kUtf16Le : Stage::kBytes;
  if (utf8Mark && StartsWith(held_, kUtf8Mark)) {
    markSize = kUtf8Mark.size();
    lineEncoding_ = InputEncoding::kUtf8;
  } else if (utf16Mark && StartsWith(held_, kUtf16LeMark)) {
    markSize = kUtf16LeMark.size();
    stage_ = Stage::kUtf16Le;
  } else if (utf16Mark && StartsWith(held_, kUtf16BeMark)) {
    markSize = kUtf16BeMark.size();
    stage_ = Stage::kUtf16Be;
  }
  if (stage_ != Stage::kBytes) lineEncoding_ = InputEncoding::kUtf8;
  const std::string rest = held_.substr(markSize);
  held_.clear();
  Pass(rest, atEnd, out);
}

void InputDecoder::Pass(std::string_view piece, bool atEnd, std::string &out) {
  if (stage_ == Stage::kBytes) {
    if (lineEncoding_ == InputEncoding::kAuto) DecideFrom(piece, atEnd);
    out.append(piece);
    return;
  }
  Utf16(piece, out);
  if (!atEnd) return;
  if (highSurrogate_ != 0) PutLoneSurrogate(highSurrogate_, out);
  highSurrogate_ = 0;
  if (!held_.empty()) out += '\xFF';  // half a code unit: never valid UTF-8
  held_.clear();
}

void InputDecoder::DecideFrom(std::string_view piece, bool atEnd) {
  std::string joined;
  if (!undecidedTail_.empty()) {
    joined = undecidedTail_;
    joined.append(piece);
    piece = joined;
  }
  size_t first = 0;
  while (first < piece.size() && static_cast<unsigned char>(piece[first]) < 0x80) ++first;
  if (first == piece.size()) {
    undecidedTail_.clear();
    return;
  }
  const std::string_view rest = piece.substr(first);
  if (atEnd) {
    lineEncoding_ = IsValidUtf8(rest) ? InputEncoding::kUtf8 : InputEncoding::kGbk;
  } else if (!IsValidUtf8Prefix(rest)) {
    lineEncoding_ = InputEncoding::kGbk;
  } else if (Utf8CharLength(rest, 0) == 0) {
    undecidedTail_.assign(rest);  // the first character is cut: wait for its end
    return;
  } else {
    lineEncoding_ = InputEncoding::kUtf8;
  }
  undecidedTail_.clear();
}

void InputDecoder::Utf16(std::string_view piece, std::string &out) {
  size_t at = 0;
  if (!held_.empty() && !piece.empty()) {
    held_ += piece[0];
    at = 1;
  }
  auto unitAt = [&](const char *pair) {
    const auto first = static_cast<unsigned char>(pair[0]);
    const auto second = static_cast<unsigned char>(pair[1]);
    return static_cast<char16_t>(stage_ == Stage::kUtf16Le ? second << 8 | first
                                                           : first << 8 | second);
  };
  if (held_.size() == 2) {
    PutUnit(unitAt(held_.data()), out);
    held_.clear();
  }
  for (; at + 1 < piece.size(); at += 2) PutUnit(unitAt(piece.data() + at), out);
  if (at < piece.size()) held_.assign(1, piece[at]);
}

void InputDecoder::PutUnit(char16_t unit, std::string &out) {
  const bool high = unit >= 0xD800 && unit <= 0xDBFF;
  const bool low = unit >= 0xDC00 && unit <= 0xDFFF;
  if (highSurrogate_ != 0) {
    if (low) {
      AppendUtf8(out, 0x10000 + ((char32_t{highSurrogate_} - 0xD800) << 10) + (unit - 0xDC00));
      highSurrogate_ = 0;
      return;
    }
    PutLoneSurrogate(highSurrogate_, out);
    highSurrogate_ = 0;
  }
  if (high)
    highSurrogate_ = unit;
  else if (low)
    PutLoneSurrogate(unit, out);
  else
    AppendUtf8(out, unit);
}

bool InputDecoder::DecodeLine(std::string_view bytes, std::string &text) const {
  if (lineEncoding_ == InputEncoding::kGbk) return Utf8FromGbk(bytes, text);
  text.clear();
  // Undecided lines are ASCII, the same in both.
  if (lineEncoding_ == InputEncoding::kAuto && !IsAscii(bytes)) return false;
  if (!IsValidUtf8(bytes)) return false;
  text.assign(bytes);
  return true;
}

}  // namespace qrtext
