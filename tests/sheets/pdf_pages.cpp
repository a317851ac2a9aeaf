#include "pdf_pages.h"

#include <cstdio>
#include <fstream>
#include <iterator>

namespace qrtest {

namespace fs = std::filesystem;

std::vector<uint8_t> GreyPage::Crop(int left, int top, int w, int h) const {
  std::vector<uint8_t> part(static_cast<size_t>(w) * h, 255);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x)
      if (left + x >= 0 && left + x < width && top + y >= 0 && top + y < height)
        part[static_cast<size_t>(y) * w + x] = At(left + x, top + y);
  return part;
}

std::string CommandOutput(const std::string &command, int &status) {
  std::string out;
  FILE *pipe = popen(command.c_str(), "r");
  if (!pipe) {
    status = -1;
    return out;
  }
  char buffer[4096];
  size_t got;
  while ((got = fread(buffer, 1, sizeof buffer, pipe)) > 0) out.append(buffer, got);
  status = pclose(pipe);
  return out;
}

namespace {

// A binary PGM (P5, maxval 255) as pdftoppm writes it.
bool ReadPgm(const fs::path &file, GreyPage &page) {
  std::ifstream in(file, std::ios::binary);
  std::string magic;
  int maxval = 0;
  in >> magic >> page.width >> page.height >> maxval;
  in.get();
  if (!in || magic != "P5" || maxval != 255) return false;
  page.pixels.resize(static_cast<size_t>(page.width) * page.height);
  in.read(reinterpret_cast<char *>(page.pixels.data()),
          static_cast<std::streamsize>(page.pixels.size()));
  return static_cast<bool>(in);
}

}  // namespace

std::vector<GreyPage> RenderPages(const fs::path &pdf, int dpi) {
  const fs::path prefix = pdf.parent_path() / "rendered";
  int status = 0;
  CommandOutput("pdftoppm -r " + std::to_string(dpi) + " -gray '" + pdf.string() + "' '" +
                    prefix.string() + "'",
                status);
  std::vector<GreyPage> pages;
  if (status != 0) return pages;
  // pdftoppm pads the page numbers to the digits of the page count.
  for (int n = 1;; ++n) {
    fs::path file;
    for (int digits = 1; digits <= 4 && file.empty(); ++digits) {
      std::string number = std::to_string(n);
      if (static_cast<int>(number.size()) < digits) number.insert(0, digits - number.size(), '0');
      const fs::path candidate = prefix.string() + "-" + number + ".pgm";
      if (fs::exists(candidate)) file = candidate;
    }
    if (file.empty()) break;
    GreyPage page;
    if (!ReadPgm(file, page)) return {};
    fs::remove(file);
    pages.push_back(std::move(page));
  }
  return pages;
}

}  // namespace qrtest
