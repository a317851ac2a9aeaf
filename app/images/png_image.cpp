#include "png_image.h"

#include <png.h>

#include <algorithm>
#include <csetjmp>
#include <cstring>

namespace qrimage {

namespace {

// Fastest level: levels 2 and 3 save a few per cent of a symbol's file at
// more time per image, from level 4 on deflate searches harder for files a
// sixth smaller at twice the time. The default hash table (memLevel 8)
// costs a tenth more per image, cleared on every reset, and saves nothing.
constexpr int kLevel = 1;
constexpr int kWindowBits = 15;
constexpr int kMemLevel = 2;

// The image data is a zlib stream. Deflate writes it raw and the two-byte
// header (deflate, 32 KB window, fastest level) and the Adler-32 trailer
// are added here: zlib's own wrapper sums every byte, while a row that
// filters to zeros has a checksum known in advance, combined in one step.
constexpr uint8_t kZlibHeader[2] = {0x78, 0x01};

// PNG's filter types used: None, and Up for a row equal to the one above
// (it filters to zeros, which deflate turns into a few bytes).
constexpr uint8_t kFilterNone = 0;
constexpr uint8_t kFilterUp = 2;

void AppendBytes(png_structp png, png_bytep data, png_size_t length) {
  auto *bytes = static_cast<std::vector<uint8_t> *>(png_get_io_ptr(png));
  bytes->insert(bytes->end(), data, data + length);
}

void NoFlush(png_structp) {}

// libpng writes the file: signature, header and the chunks' framing and
// checksums, around image data compressed by PngEncoder's own zlib stream
// (libpng's would be set up again for every image).
// Kept apart from Encode so no object with a destructor lives in the
// frame that longjmp leaves.
bool WritePng(png_structp png, png_infop info, const qr::BitmapImage &image,
              const std::vector<uint8_t> &imageData, size_t imageDataSize,
              std::vector<uint8_t> &bytes) {
  if (setjmp(png_jmpbuf(png))) return false;
  png_set_write_fn(png, &bytes, &AppendBytes, &NoFlush);
  png_set_IHDR(png, info, static_cast<png_uint_32>(image.width),
               static_cast<png_uint_32>(image.height), 1, PNG_COLOR_TYPE_GRAY, PNG_INTERLACE_NONE,
               PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  // A stated resolution goes into pHYs; without one the file has no pHYs.
  if (image.pixelsPerMetre > 0) {
    const auto perMetre = static_cast<png_uint_32>(image.pixelsPerMetre);
    png_set_pHYs(png, info, perMetre, perMetre, PNG_RESOLUTION_METER);
  }
  png_write_info(png, info);
  png_write_chunk(png, reinterpret_cast<png_const_bytep>("IDAT"), imageData.data(), imageDataSize);
  png_write_chunk(png, reinterpret_cast<png_const_bytep>("IEND"), nullptr, 0);
  return true;
}

// Rows of text (a caption band) are coded here as one block of deflate's
// fixed codes. zlib builds its code trees again for every few hundred
// literals (memLevel 2), and text rows are mostly literals: that cost more
// than the rest of the file. Runs (distance 1) and repeats of the row above
// (distance one line) find about what zlib finds in 1-bit text.
class FixedCodeBlock {
 public:
  explicit FixedCodeBlock(uint8_t *out) : out_(out) {}

  // The filtered lines data[start, end) as a final block; its matches may
  // reach back before `start` (the decoder holds those bytes already).
  void Code(const uint8_t *data, size_t start, size_t end, size_t lineBytes) {
    Bits(1, 1);  // the final block
    Bits(1, 2);  // fixed codes
    for (size_t at = start; at < end;) {
      const size_t limit = std::min<size_t>(kLongestMatch, end - at);
      size_t length = 0, distance = 0;
      for (const size_t back : {size_t{1}, lineBytes}) {
        if (back > at || back > kWindow) continue;
        size_t n = 0;
        while (n < limit && data[at + n] == data[at + n - back]) ++n;
        if (n > length) {
          length = n;
          distance = back;
        }
      }
      if (length >= 3) {
        Match(length, distance);
        at += length;
      } else {
        Symbol(data[at++]);
      }
    }
    Symbol(kEndOfBlock);
  }

  // Past the last byte written (the last bits padded with zeros).
  uint8_t *Finish() {
    if (count_ > 0) *out_++ = static_cast<uint8_t>(buffer_);
    return out_;
  }

  // The most bytes Code writes for `size` bytes (a match of 3 takes at
  // most 31 bits).
  static size_t Bound(size_t size) { return size * 11 / 8 + 8; }

 private:
  static constexpr size_t kLongestMatch = 258;
  static constexpr size_t kWindow = 32768;
  static constexpr int kEndOfBlock = 256;

  void Bits(uint32_t value, int count) {
    buffer_ |= static_cast<uint64_t>(value) << count_;
    count_ += count;
    while (count_ >= 8) {
      *out_++ = static_cast<uint8_t>(buffer_);
      buffer_ >>= 8;
      count_ -= 8;
    }
  }

  // Huffman codes go most significant bit first into the least
  // significant first stream.
  void Huffman(uint32_t code, int length) {
    uint32_t reversed = 0;
    for (int i = 0; i < length; ++i) reversed |= ((code >> i) & 1u) << (length - 1 - i);
    Bits(reversed, length);
  }

  // A literal byte or end of block, in the fixed literal/length code.
  void Symbol(int symbol) {
    if (symbol < 144)
      Huffman(0x30 + symbol, 8);
    else if (symbol < 256)
      Huffman(0x190 + symbol - 144, 9);
    else if (symbol < 280)
      Huffman(symbol - 256, 7);
    else
      Huffman(0xC0 + symbol - 280, 8);
  }

  void Match(size_t length, size_t distance) {
    static constexpr uint16_t kLengthBase[29] = {3,  4,  5,  6,   7,   8,   9,   10,  11, 13,
                                                 15, 17, 19, 23,  27,  31,  35,  43,  51, 59,
                                                 67, 83, 99, 115, 131, 163, 195, 227, 258};
    static constexpr uint8_t kLengthExtra[29] = {0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2,
                                                 2, 3, 3, 3, 3, 4, 4, 4, 4, 5, 5, 5, 5, 0};
    int index = 28;
    while (kLengthBase[index] > length) --index;
    Symbol(257 + index);
    Bits(static_cast<uint32_t>(length - kLengthBase[index]), kLengthExtra[index]);
    // Distance codes: two to each power of two past 4, 5 fixed bits.
    const uint32_t d = static_cast<uint32_t>(distance - 1);
    if (d < 4) {
      Huffman(d, 5);
      return;
    }
    int extra = 0;
    while ((d >> (extra + 1)) >= 2) ++extra;  // d < 2^(extra + 2)
    const uint32_t half = (d >> extra) & 1u;
    Huffman(static_cast<uint32_t>(2 * extra + 2) + half, 5);
    Bits(d & ((1u << extra) - 1), extra);
  }

  uint8_t *out_;
  uint64_t buffer_ = 0;
  int count_ = 0;
};

}  // namespace

PngEncoder::PngEncoder() {
  ready_ = deflateInit2(&stream_, kLevel, Z_DEFLATED, -kWindowBits, kMemLevel,
                        Z_DEFAULT_STRATEGY) == Z_OK;
}

PngEncoder::~PngEncoder() {
  if (ready_) deflateEnd(&stream_);
}

bool PngEncoder::Compress(const qr::BitmapImage &image, int textRows) {
  // The bitmap's palette index 0 is black and 1 white, as 1-bit grey is:
  // the rows are used as they are, top row (the bitmap's last) first.
  const size_t rowBytes = (static_cast<size_t>(image.width) + 7) / 8;
  const size_t height = static_cast<size_t>(image.height);
  const size_t lineBytes = 1 + rowBytes;
  filtered_.resize(height * lineBytes);
  uint8_t *out = filtered_.data();
  const uint8_t *above = nullptr;
  uLong checksum = adler32(0, nullptr, 0);
  uLong zeroLineChecksum = 0;
  bool zeroLineSummed = false;
  for (size_t y = 0; y < height; ++y) {
    const uint8_t *row = image.rows + (height - 1 - y) * image.stride;
    if (above != nullptr && std::memcmp(row, above, rowBytes) == 0) {
      out[0] = kFilterUp;
      std::memset(out + 1, 0, rowBytes);
      if (!zeroLineSummed) {
        zeroLineChecksum = adler32(adler32(0, nullptr, 0), out, static_cast<uInt>(lineBytes));
        zeroLineSummed = true;
      }
      checksum = adler32_combine(checksum, zeroLineChecksum, static_cast<z_off_t>(lineBytes));
    } else {
      out[0] = kFilterNone;
      std::memcpy(out + 1, row, rowBytes);
      checksum = adler32(checksum, out, static_cast<uInt>(lineBytes));
    }
    out += lineBytes;
    above = row;
  }
  if (deflateReset(&stream_) != Z_OK) return false;
  // Text rows at the bottom: zlib codes the rows above them and stops on a
  // byte boundary (an empty stored block), the text rows follow in fixed
  // codes.
  const size_t textLines = std::min(height, static_cast<size_t>(std::max(textRows, 0)));
  const size_t zlibBytes = (height - textLines) * lineBytes;
  const size_t textBytes = textLines * lineBytes;
  const size_t bound = deflateBound(&stream_, static_cast<uLong>(zlibBytes)) +
                       (textLines > 0 ? 8 + FixedCodeBlock::Bound(textBytes) : 0);
  compressed_.resize(sizeof kZlibHeader + bound + 4);
  std::memcpy(compressed_.data(), kZlibHeader, sizeof kZlibHeader);
  size_t dataSize = 0;
  if (zlibBytes > 0) {
    stream_.next_in = filtered_.data();
    stream_.avail_in = static_cast<uInt>(zlibBytes);
    stream_.next_out = compressed_.data() + sizeof kZlibHeader;
    stream_.avail_out = static_cast<uInt>(bound);
    if (textLines == 0) {
      if (deflate(&stream_, Z_FINISH) != Z_STREAM_END) return false;
    } else if (deflate(&stream_, Z_SYNC_FLUSH) != Z_OK || stream_.avail_out == 0) {
      return false;
    }
    dataSize = stream_.total_out;
  }
  if (textLines > 0) {
    uint8_t *start = compressed_.data() + sizeof kZlibHeader + dataSize;
    FixedCodeBlock block(start);
    block.Code(filtered_.data(), zlibBytes, filtered_.size(), lineBytes);
    dataSize += static_cast<size_t>(block.Finish() - start);
  }
  uint8_t *trailer = compressed_.data() + sizeof kZlibHeader + dataSize;
  for (int i = 0; i < 4; ++i)
    trailer[i] = static_cast<uint8_t>(checksum >> (24 - 8 * i));  // big-endian
  compressedSize_ = sizeof kZlibHeader + dataSize + 4;
  return true;
}

bool PngEncoder::Encode(const qr::BitmapImage &image, std::vector<uint8_t> &bytes, int textRows) {
  if (!ready_ || image.width <= 0 || image.height <= 0 || image.rows == nullptr) return false;
  if (!Compress(image, textRows)) return false;
  bytes.clear();
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  if (!png) return false;
  png_infop info = png_create_info_struct(png);
  const bool ok =
      info != nullptr && WritePng(png, info, image, compressed_, compressedSize_, bytes);
  png_destroy_write_struct(&png, &info);
  return ok;
}

}  // namespace qrimage
