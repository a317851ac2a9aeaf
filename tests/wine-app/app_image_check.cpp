// Reads back the images the application wrote under Wine: every file listed
// in the driver's manifest must be a bitmap file whose symbol a real decoder
// reads as exactly the listed message bytes, at the listed level.
//   app_image_check <manifest> <destination dir> <program dir> <work dir>
// Manifest lines: <where> TAB <file name, GBK hex> TAB <message, GBK hex> TAB <level>
// with <where> one of destination, program, work; "-" stands for no bytes.
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "from_gbk.h"
#include "qr_decoder.h"

namespace {

std::string FromHex(const std::string &hex) {
  std::string bytes;
  if (hex == "-") return bytes;
  for (size_t i = 0; i + 1 < hex.size(); i += 2)
    bytes += static_cast<char>(std::stoi(hex.substr(i, 2), nullptr, 16));
  return bytes;
}

std::uint32_t U32(const std::string &b, size_t at) {
  return static_cast<std::uint8_t>(b[at]) | static_cast<std::uint8_t>(b[at + 1]) << 8 |
         static_cast<std::uint8_t>(b[at + 2]) << 16 |
         static_cast<std::uint32_t>(static_cast<std::uint8_t>(b[at + 3])) << 24;
}

// A 1- or 4-bit bitmap file as grey pixels inside a white quiet zone (the
// engine draws the symbol without one). Empty on anything else.
std::vector<std::uint8_t> GreyWithQuietZone(const std::string &file, int &width, int &height) {
  const int margin = 40;
  if (file.size() < 62 || file.compare(0, 2, "BM") != 0) return {};
  const std::uint32_t offset = U32(file, 10);
  const int w = static_cast<int>(U32(file, 18));
  const int h = static_cast<int>(U32(file, 22));
  const int bits = static_cast<std::uint8_t>(file[28]);
  if ((bits != 1 && bits != 4) || w <= 0 || h <= 0) return {};
  const size_t stride = (static_cast<size_t>(w) * bits + 31) / 32 * 4;
  if (offset + stride * h > file.size()) return {};
  const size_t palette = 14 + U32(file, 14);
  width = w + 2 * margin;
  height = h + 2 * margin;
  std::vector<std::uint8_t> grey(static_cast<size_t>(width) * height, 255);
  for (int row = 0; row < h; ++row) {
    const size_t source = offset + stride * static_cast<size_t>(h - 1 - row);  // bottom-up rows
    for (int x = 0; x < w; ++x) {
      const std::uint8_t byte =
          static_cast<std::uint8_t>(file[source + static_cast<size_t>(x) * bits / 8]);
      const int index =
          bits == 1 ? (byte >> (7 - x % 8)) & 1 : (x % 2 == 0 ? byte >> 4 : byte & 15);
      const size_t entry = palette + 4 * static_cast<size_t>(index);
      const int luma = entry + 3 <= file.size() ? (static_cast<std::uint8_t>(file[entry]) +
                                                   static_cast<std::uint8_t>(file[entry + 1]) +
                                                   static_cast<std::uint8_t>(file[entry + 2])) /
                                                      3
                                                : 0;
      grey[static_cast<size_t>(row + margin) * width + x + margin] =
          static_cast<std::uint8_t>(luma);
    }
  }
  return grey;
}

}  // namespace

int main(int argc, char **argv) {
  if (argc != 5) {
    std::fprintf(stderr, "usage: app_image_check <manifest> <destination> <program> <work>\n");
    return 2;
  }
  const std::map<std::string, std::string> folders = {
      {"destination", argv[2]}, {"program", argv[3]}, {"work", argv[4]}};
  std::ifstream manifest(argv[1]);
  std::string line;
  int checked = 0, failures = 0;
  while (std::getline(manifest, line)) {
    std::istringstream fields(line);
    std::string where, nameHex, messageHex, level;
    if (!(fields >> where >> nameHex >> messageHex >> level) || !folders.count(where)) continue;
    const std::string path = folders.at(where) + "/" + qrtext::FromGbk(FromHex(nameHex));
    const std::string message = FromHex(messageHex);
    std::ifstream in(path, std::ios::binary);
    const std::string file((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    int width = 0, height = 0;
    const std::vector<std::uint8_t> grey = GreyWithQuietZone(file, width, height);
    const qrtest::Decoded decoded =
        grey.empty() ? qrtest::Decoded() : qrtest::DecodeGrey(grey, width, height);
    ++checked;
    if (!decoded.ok || decoded.bytes != message || decoded.ecLevel != level) {
      ++failures;
      std::printf("FAILED: %s: %s, decoded \"%s\" level %s, expected \"%s\" level %s\n",
                  path.c_str(),
                  file.empty()   ? "missing"
                  : grey.empty() ? "not a 1- or 4-bit bitmap"
                                 : "mismatch",
                  qrtext::FromGbk(decoded.bytes).c_str(), decoded.ecLevel.c_str(),
                  qrtext::FromGbk(message).c_str(), level.c_str());
    }
  }
  std::printf("%d image(s) checked, %d failure(s)\n", checked, failures);
  return failures == 0 && checked > 0 ? 0 : 1;
}
