// A PDF read back through poppler's command-line tools, for tests.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace qrtest {

// One page as grey pixels (0 black, 255 white), top row first.
struct GreyPage {
  int width = 0, height = 0;
  std::vector<uint8_t> pixels;
  uint8_t At(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
  // The part from (left, top), width x height pixels, clipped to the page.
  std::vector<uint8_t> Crop(int left, int top, int w, int h) const;
};

// Every page rendered at `dpi` (pdftoppm -gray); empty when it fails.
std::vector<GreyPage> RenderPages(const std::filesystem::path &pdf, int dpi);

// Standard output of a shell command; `status` its exit status.
std::string CommandOutput(const std::string &command, int &status);

}  // namespace qrtest
