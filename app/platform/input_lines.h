// Lines of a program's input, read as they arrive.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "file_lines.h"
#include "input_decoding.h"

namespace qrplatform {

// The most bytes of one line a LineReader hands on. No symbol holds more
// than 7,089 bytes of content and no file system a longer name, so a
// longer line can only fail; it comes cut to kLongestLine + 1 bytes (the
// rest skipped as it is read), and its size tells it was cut. One line
// never takes more memory than this, however long it is.
constexpr size_t kLongestLine = size_t{1} << 20;

// The lines of a text file (file_lines.h), from a descriptor, one at a
// time, without waiting for the end of the input. A stop request
// (stop_request.h) ends a wait for input. The input passes the decoder's
// stream stage first (input_decoding.h: the byte-order mark dropped,
// UTF-16 as UTF-8); each line comes as its bytes, for decoder().DecodeLine.
class LineReader {
 public:
  enum class Result { kLine, kEnd, kFailed, kStopped };

  explicit LineReader(
      int descriptor,
      qrtext::InputEncoding encoding = qrtext::InputEncoding::kGbk);  // kGbk: bytes as they are
  Result Next(std::string &line);
  int error() const { return error_; }  // errno of kFailed
  const qrtext::InputDecoder &decoder() const { return decoder_; }

 private:
  bool Fill(Result &result);

  int descriptor_;
  std::vector<char> buffer_;  // read from the descriptor
  qrtext::InputDecoder decoder_;
  std::string decoded_;  // the stream stage's bytes of the buffer
  qrtext::LineCutter cutter_;
  size_t begin_ = 0, end_ = 0;
  bool ended_ = false;
  int error_ = 0;
};

// Number of lines the rest of a seekable input holds, by the same rule and
// through the same stream stage; the descriptor is left where it was. False
// (errno set) when it cannot be read or is no seekable file.
bool CountLines(int descriptor, long long &count,
                qrtext::InputEncoding encoding = qrtext::InputEncoding::kGbk);

// True when the descriptor is a regular (seekable) file.
bool IsRegularFile(int descriptor);

// Copies the whole input into an unnamed temporary file and returns its
// descriptor, at its start; -1 with errno set on failure.
int SpoolToTemporaryFile(int descriptor);

}  // namespace qrplatform
