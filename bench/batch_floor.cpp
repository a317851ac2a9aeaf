// The file-system floor of the batch: the least a program must do to put
// ready-made image bytes under each line's name (DIR/line.jpg), one file
// per line, with no encoding at all.
//   plain: open, one write, close (three system calls per file);
//   whole: the same bytes with the batch's guarantee that a file appears
//          whole or not at all: open a new temporary file in the folder,
//          one write, close, rename it to the line's name (four calls).
// Lines are read as the batch reads them; nothing else is done per file.
// Usage: batch_floor plain|whole LINES TEMPLATE DIR
#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>

namespace {

bool WritePlain(const std::string &path, const std::string &bytes) {
  const int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
  if (fd < 0) return false;
  const bool written = write(fd, bytes.data(), bytes.size()) == static_cast<ssize_t>(bytes.size());
  return close(fd) == 0 && written;
}

bool WriteWhole(const std::string &folder, const std::string &path, const std::string &bytes) {
  static unsigned long counter = 0;
  char name[64];
  std::snprintf(name, sizeof name, "/.qr-%ld-%lu.tmp", static_cast<long>(getpid()), counter++);
  const std::string temporary = folder + name;
  const int fd = open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
  if (fd < 0) return false;
  const bool written = write(fd, bytes.data(), bytes.size()) == static_cast<ssize_t>(bytes.size());
  return close(fd) == 0 && written && rename(temporary.c_str(), path.c_str()) == 0;
}

}  // namespace

int main(int argc, char **argv) {
  const bool whole = argc == 5 && std::strcmp(argv[1], "whole") == 0;
  if (argc != 5 || (!whole && std::strcmp(argv[1], "plain") != 0)) {
    std::fprintf(stderr, "usage: batch_floor plain|whole LINES TEMPLATE DIR\n");
    return 2;
  }
  std::ifstream templateFile(argv[3], std::ios::binary);
  const std::string image(std::istreambuf_iterator<char>(templateFile), {});
  std::ifstream lines(argv[2], std::ios::binary);
  const std::string folder = argv[4];
  std::string line;
  int failed = 0;
  while (std::getline(lines, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    const std::string path = folder + "/" + line + ".jpg";
    if (!(whole ? WriteWhole(folder, path, image) : WritePlain(path, image))) ++failed;
  }
  return failed == 0 ? 0 : 1;
}
