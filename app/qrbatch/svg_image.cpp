#include "svg_image.h"

namespace qrbatch {

namespace {

void AppendNumber(std::string &text, long long value) {
  char digits[24];
  int count = 0;
  const bool negative = value < 0;
  unsigned long long magnitude = negative ? 0ULL - static_cast<unsigned long long>(value)
                                          : static_cast<unsigned long long>(value);
  do {
    digits[count++] = static_cast<char>('0' + magnitude % 10);
    magnitude /= 10;
  } while (magnitude != 0);
  if (negative) text += '-';
  while (count > 0) text += digits[--count];
}

}  // namespace

void BuildSvg(const qr::SymbolEngine &engine, int width, int height, int modulePixels,
              std::string &text) {
  const int side = engine.side();
  const long long module = modulePixels;
  const long long extent = side * module;
  // The bitmap's placement: left margin rounded down, the upright figure's
  // top margin rounded up (its bottom margin is the one rounded down).
  const long long left = (width - extent) / 2;
  const long long top = height - extent - (height - extent) / 2;

  text.clear();
  text += "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"";
  AppendNumber(text, width);
  text += "px\" height=\"";
  AppendNumber(text, height);
  text += "px\" viewBox=\"0 0 ";
  AppendNumber(text, width);
  text += ' ';
  AppendNumber(text, height);
  text += "\" shape-rendering=\"crispEdges\">\n<rect width=\"";
  AppendNumber(text, width);
  text += "\" height=\"";
  AppendNumber(text, height);
  text += "\" fill=\"#fff\"/>\n<path fill=\"#000\" d=\"";
  // Each run of dark modules in a row is one rectangle.
  for (int y = 0; y < side; ++y) {
    int x = 0;
    while (x < side) {
      if (!engine.Dark(x, y)) {
        ++x;
        continue;
      }
      const int start = x;
      while (x < side && engine.Dark(x, y)) ++x;
      const long long runWidth = (x - start) * module;
      text += 'M';
      AppendNumber(text, left + start * module);
      text += ' ';
      AppendNumber(text, top + y * module);
      text += 'h';
      AppendNumber(text, runWidth);
      text += 'v';
      AppendNumber(text, module);
      text += 'h';
      AppendNumber(text, -runWidth);
      text += 'z';
    }
  }
  text += "\"/>\n</svg>\n";
}

}  // namespace qrbatch
