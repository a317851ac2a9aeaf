#include "svg_image.h"

#include <cstdio>
#include <cstring>

namespace qrimage {

namespace {

// Writes into a buffer sized beforehand: a run costs a few dozen bytes, and
// appending them one by one to a string cost more than the file's write.
class TextWriter {
 public:
  explicit TextWriter(char *at) : at_(at) {}
  char *end() const { return at_; }

  void Put(char c) { *at_++ = c; }
  void Put(const char *text) {
    const size_t length = std::strlen(text);
    std::memcpy(at_, text, length);
    at_ += length;
  }
  void Number(long long value) {
    char digits[24];
    int count = 0;
    unsigned long long magnitude = value < 0 ? 0ULL - static_cast<unsigned long long>(value)
                                             : static_cast<unsigned long long>(value);
    do {
      digits[count++] = static_cast<char>('0' + magnitude % 10);
      magnitude /= 10;
    } while (magnitude != 0);
    if (value < 0) *at_++ = '-';
    while (count > 0) *at_++ = digits[--count];
  }

 private:
  char *at_;
};

// `pixels` at `dotsPerInch` as "12.345mm": three decimals, trailing zeros
// dropped (a micrometre is far below any printer's dot).
void PutLength(TextWriter &out, int pixels, int dotsPerInch) {
  if (dotsPerInch <= 0) {
    out.Number(pixels);
    out.Put("px");
    return;
  }
  char text[48];
  std::snprintf(text, sizeof text, "%.3f", pixels * 25.4 / dotsPerInch);
  char *end = text + std::strlen(text);
  while (end[-1] == '0') --end;
  if (end[-1] == '.') --end;
  std::memcpy(end, "mm", 3);
  out.Put(text);
}

// The longest text a symbol of `side` modules can take: the fixed parts and
// four 20-digit numbers (with signs) for each run, at most (side + 1) / 2
// runs a row.
size_t MostBytes(int side) {
  const size_t runs = static_cast<size_t>(side) * ((side + 1) / 2);
  return 256 + 4 * 24 + runs * (5 + 4 * 21);
}

}  // namespace

void BuildSvg(const qr::SymbolPicture &picture, std::string &text, int dotsPerInch) {
  const qr::PicturePlacement &placement = picture.placement();
  const int side = picture.side(), width = placement.imageWidth, height = placement.imageHeight;
  const long long module = placement.modulePixels;
  const long long left = placement.symbolLeft, top = placement.symbolTop;

  text.resize(MostBytes(side));
  TextWriter out(&text[0]);
  out.Put("<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"");
  PutLength(out, width, dotsPerInch);
  out.Put("\" height=\"");
  PutLength(out, height, dotsPerInch);
  out.Put("\" viewBox=\"0 0 ");
  out.Number(width);
  out.Put(' ');
  out.Number(height);
  out.Put("\" shape-rendering=\"crispEdges\">\n<rect width=\"");
  out.Number(width);
  out.Put("\" height=\"");
  out.Number(height);
  out.Put("\" fill=\"#fff\"/>\n<path fill=\"#000\" d=\"");
  // Each run of dark modules in a row is one rectangle.
  for (int y = 0; y < side; ++y) {
    int x = 0;
    while (x < side) {
      if (!picture.Dark(x, y)) {
        ++x;
        continue;
      }
      const int start = x;
      while (x < side && picture.Dark(x, y)) ++x;
      const long long runWidth = (x - start) * module;
      out.Put('M');
      out.Number(left + start * module);
      out.Put(' ');
      out.Number(top + y * module);
      out.Put('h');
      out.Number(runWidth);
      out.Put('v');
      out.Number(module);
      out.Put('h');
      out.Number(-runWidth);
      out.Put('z');
    }
  }
  out.Put("\"/>\n</svg>\n");
  text.resize(static_cast<size_t>(out.end() - text.data()));
}

}  // namespace qrimage
