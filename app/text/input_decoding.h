// Text files as Windows programs save them, read as they arrive: UTF-8 with
// or without a byte-order mark, UTF-16LE or UTF-16BE with a mark, or GBK
// (code page 936).
//
// Decoding has two stages. The stream stage drops the byte-order mark and
// turns UTF-16 into UTF-8, piece by piece, so that lines can be cut at CR
// and LF bytes afterwards. The line stage turns each cut line into UTF-8
// text, or tells that the line is not valid in the input's encoding (such
// a line is its own fault; the input goes on).
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace qrtext {

enum class InputEncoding { kAuto, kUtf8, kGbk, kUtf16 };

// "auto", "utf-8", "gbk", "utf-16"; false for another name.
bool ParseInputEncoding(std::string_view name, InputEncoding &encoding);

// kAuto: a byte-order mark decides (UTF-8's is dropped; UTF-16LE and
// UTF-16BE are converted); without one, the input is UTF-8 when it reads
// as UTF-8 from its first byte of 0x80 or more to the end of the piece
// holding that byte (at most a reader's buffer: a bounded look-ahead),
// else GBK. Lines before that byte are ASCII, which both read alike.
// kUtf8 drops a mark too; kUtf16 without a mark is UTF-16LE; kGbk takes the
// bytes as they are.
class InputDecoder {
 public:
  explicit InputDecoder(InputEncoding requested);

  // Appends the stream stage's bytes for the next piece of input to `out`.
  // A few bytes may be held back (a possible mark, half a UTF-16 unit or
  // pair) until the next piece or Finish.
  void Feed(const char *data, size_t size, std::string &out);
  // At the end of the input: what was held back. A broken UTF-16 tail
  // becomes bytes no line stage accepts.
  void Finish(std::string &out);

  // The encoding of the lines: kUtf8 (UTF-16 input included) or kGbk once
  // decided; kAuto while the input has been ASCII.
  InputEncoding lineEncoding() const { return lineEncoding_; }

  // A cut line as UTF-8 text; false when its bytes are not valid in the
  // lines' encoding.
  bool DecodeLine(std::string_view bytes, std::string &text) const;

 private:
  enum class Stage { kStart, kBytes, kUtf16Le, kUtf16Be };

  void Start(bool atEnd, std::string &out);
  void Pass(std::string_view piece, bool atEnd, std::string &out);
  void DecideFrom(std::string_view piece, bool atEnd);
  void Utf16(std::string_view piece, std::string &out);
  void PutUnit(char16_t unit, std::string &out);

  InputEncoding requested_;
  InputEncoding lineEncoding_;
  Stage stage_ = Stage::kStart;
  std::string held_;            // bytes waiting for a mark, or an odd UTF-16 byte
  char16_t highSurrogate_ = 0;  // a UTF-16 high surrogate waiting for its pair
  std::string undecidedTail_;   // kAuto: a character cut by the end of the last piece
};

}  // namespace qrtext
