// Running the real qrbatch program in tests, and reading back what it wrote
// (BMP, PNG and SVG files, the SVG rendered by rsvg-convert).
#pragma once

#include <sys/types.h>

#include <cstdint>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "qr_decoder.h"

namespace qrtest {

namespace fs = std::filesystem;

struct QrbatchRun {
  int status = -1;  // exit status, or 128 + signal
  std::string err;
  std::string out;
};

// A fresh temporary folder, removed with everything in it at destruction.
class TempFolder {
 public:
  TempFolder();
  ~TempFolder();
  const fs::path &path() const { return path_; }

 private:
  fs::path path_;
};

std::string ReadWhole(const fs::path &path);
void WriteWhole(const fs::path &path, const std::string &bytes);

// Runs qrbatch with `args`, standard input from `input` (a file), standard
// output and error kept in `scratch`; waits for it.
QrbatchRun RunQrbatch(const std::vector<std::string> &args, const fs::path &input,
                      const fs::path &scratch);

// Starts qrbatch with the given descriptors as its standard streams (`in`
// -1: standard input closed).
pid_t StartQrbatch(const std::vector<std::string> &args, int in, int out, int err);
// Exit status of a started qrbatch (128 + signal when killed).
int WaitQrbatch(pid_t pid);

// Every file under `folder` (relative path -> bytes).
std::map<std::string, std::string> FilesUnder(const fs::path &folder);

// Grey pixels (0 black, 255 white, top row first) of a .jpg/.bmp, .png or
// .svg file qrbatch wrote; false when it cannot be read.
bool ReadImageGrey(const fs::path &file, std::vector<uint8_t> &grey, int &width, int &height);

// Grey pixels decoded by zxing-cpp, with a white quiet zone added around.
Decoded DecodeUnframed(const std::vector<uint8_t> &grey, int width, int height);
// The file decoded the same way.
Decoded DecodeImageFile(const fs::path &file);

// Waits (polling, at most `seconds`) until `file` exists.
bool WaitForFile(const fs::path &file, double seconds = 30);

}  // namespace qrtest
