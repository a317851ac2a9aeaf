#include "captioned_image.h"

#include <cstring>

#include "caption_text.h"

namespace qrimage {

namespace {

// The fields of the bitmap headers that grow with the band.
constexpr size_t kFileSizeAt = 2;
constexpr size_t kHeightAt = 22;
constexpr size_t kImageSizeAt = 34;

void Put32(std::vector<uint8_t> &bytes, size_t at, uint32_t value) {
  for (int i = 0; i < 4; ++i) bytes[at + i] = static_cast<uint8_t>(value >> (8 * i));
}

void AppendEscaped(const std::string &text, std::string &out) {
  for (const char c : text) {
    switch (c) {
      case '&': out += "&amp;"; break;
      case '<': out += "&lt;"; break;
      case '>': out += "&gt;"; break;
      default: out += c;
    }
  }
}

}  // namespace

CaptionedImage::CaptionedImage(int width, int height, int bandHeight)
    : width_(width), height_(height), band_(bandHeight) {}

qrcaption::CaptionLayout CaptionedImage::Lay(const std::string &caption) {
  return painter_.Lay(qrcaption::CaptionText(caption), width_, band_);
}

bool CaptionedImage::Compose(const qr::BitmapImage &symbol, const qrcaption::CaptionLayout &layout,
                             qr::BitmapImage &image) {
  if (!painter_.ready() || symbol.width != width_ || symbol.height != symbolHeight() ||
      symbol.headers.size() < kImageSizeAt + 4)
    return false;
  const size_t stride = symbol.stride;
  const size_t bandBytes = stride * static_cast<size_t>(band_);
  rows_.assign(bandBytes + symbol.rowBytes, 0);
  // Bottom row first: the band's rows, its bottom row first, then the
  // symbol's rows as drawn.
  const qrcaption::GreyBand &band = painter_.Paint(layout, width_, band_);
  if (band_ > 0)
    qrcaption::BandToBitRows(band, rows_.data() + stride * static_cast<size_t>(band_ - 1),
                             -static_cast<std::ptrdiff_t>(stride));
  std::memcpy(rows_.data() + bandBytes, symbol.rows, symbol.rowBytes);

  image.width = width_;
  image.height = height_;
  image.stride = stride;
  image.headers = symbol.headers;
  const uint32_t imageBytes = static_cast<uint32_t>(rows_.size());
  Put32(image.headers, kFileSizeAt, static_cast<uint32_t>(image.headers.size()) + imageBytes);
  Put32(image.headers, kHeightAt, static_cast<uint32_t>(height_));
  Put32(image.headers, kImageSizeAt, imageBytes);
  image.rows = rows_.data();
  image.rowBytes = rows_.size();
  return true;
}

void CaptionedImage::AppendSvgText(const qrcaption::CaptionLayout &layout,
                                   std::string &text) const {
  static const char kClose[] = "</svg>\n";
  const size_t closeLength = sizeof kClose - 1;
  if (layout.lines.empty() || text.size() < closeLength) return;
  text.resize(text.size() - closeLength);
  const int bandTop = height_ - band_;
  text += "<g font-family=\"";
  text += qrcaption::kCaptionFont;
  text += ", sans-serif\" font-size=\"" + std::to_string(layout.size) +
          "px\" text-anchor=\"middle\" fill=\"#000\">\n";
  for (const qrcaption::CaptionLine &line : layout.lines) {
    // Centred on the image's middle; y is the baseline.
    text += "<text x=\"" + std::to_string(width_ / 2) + (width_ % 2 ? ".5" : "") + "\" y=\"" +
            std::to_string(bandTop + line.top + layout.ascent) + "\">";
    AppendEscaped(line.text, text);
    text += "</text>\n";
  }
  text += "</g>\n";
  text += kClose;
}

}  // namespace qrimage
