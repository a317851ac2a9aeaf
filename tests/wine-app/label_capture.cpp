// Captures screen rectangles over and over for some seconds and reports
// every capture in which a label shows much less of its text than usual
// (blank, or cut off while being repainted).
//   label_capture <seconds> <rectangles file>
// The file holds "left top width height" per line, in root window
// coordinates of $DISPLAY. Exit status 0 when no capture falls short.
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <map>
#include <string>
#include <vector>

namespace {

struct Area {
  int left, top, width, height;
  std::vector<int> inked;  // pixels other than the background, per capture
};

// The most frequent colour: the background of a label.
unsigned long MostFrequentColour(XImage *image) {
  std::map<unsigned long, int> counts;
  for (int y = 0; y < image->height; ++y)
    for (int x = 0; x < image->width; ++x) ++counts[XGetPixel(image, x, y)];
  return std::max_element(counts.begin(), counts.end(),
                          [](const auto &a, const auto &b) { return a.second < b.second; })
      ->first;
}

// Every colour but the background (taken from the first capture) is ink.
int InkedPixels(XImage *image, unsigned long background) {
  int inked = 0;
  for (int y = 0; y < image->height; ++y)
    for (int x = 0; x < image->width; ++x)
      if (XGetPixel(image, x, y) != background) ++inked;
  return inked;
}

}  // namespace

int main(int argc, char **argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: label_capture <seconds> <rectangles file>\n");
    return 2;
  }
  const double seconds = std::stod(argv[1]);
  std::vector<Area> areas;
  std::ifstream file(argv[2]);
  Area area{};
  while (file >> area.left >> area.top >> area.width >> area.height) areas.push_back(area);
  Display *display = XOpenDisplay(nullptr);
  if (!display || areas.empty()) {
    std::fprintf(stderr, "no display or no rectangles\n");
    return 2;
  }
  const Window root = DefaultRootWindow(display);
  std::vector<unsigned long> background(areas.size());
  bool first = true;
  int captures = 0;
  const auto end = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
  while (std::chrono::steady_clock::now() < end) {
    for (size_t i = 0; i < areas.size(); ++i) {
      Area &a = areas[i];
      XImage *image = XGetImage(display, root, a.left, a.top, static_cast<unsigned>(a.width),
                                static_cast<unsigned>(a.height), AllPlanes, ZPixmap);
      if (!image) {
        std::fprintf(stderr, "XGetImage failed\n");
        return 2;
      }
      if (first) background[i] = MostFrequentColour(image);
      a.inked.push_back(InkedPixels(image, background[i]));
      XDestroyImage(image);
    }
    first = false;
    ++captures;
  }
  XCloseDisplay(display);

  int status = 0;
  for (size_t i = 0; i < areas.size(); ++i) {
    std::vector<int> sorted = areas[i].inked;
    std::sort(sorted.begin(), sorted.end());
    const int median = sorted[sorted.size() / 2];
    // A different text (the clock's digits) changes the ink by a few per
    // cent; a blank or half-drawn label loses far more.
    const int floor = median * 7 / 10;
    const std::vector<int> &inked = areas[i].inked;
    const long short_ = std::count_if(inked.begin(), inked.end(), [&](int n) { return n < floor; });
    std::printf("area %zu: %d captures, inked pixels min %d, median %d, max %d; %ld below %d", i,
                captures, sorted.front(), median, sorted.back(), short_, floor);
    if (short_ > 0) {
      const auto isShort = [&](int n) { return n < floor; };
      const long firstShort = std::find_if(inked.begin(), inked.end(), isShort) - inked.begin();
      const long lastShort = inked.rend() - std::find_if(inked.rbegin(), inked.rend(), isShort) - 1;
      std::printf(", captures %ld to %ld", firstShort, lastShort);
    }
    std::printf("\n");
    if (median == 0 || short_ > 0) status = 1;
  }
  return status;
}
