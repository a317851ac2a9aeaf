// Bitmap files per second against the file system's floor, in one run:
//   ours:         the batch application's recipe and QRSaveAsBMP for each
//                 message (20210706001 onwards), each file into an empty
//                 folder;
//   floor plain:  the same ready-made bytes under the same names into
//                 another empty folder: open, one write, close;
//   floor whole:  the same with QRSaveAsBMP's guarantee that a file appears
//                 whole or not at all: open a temporary file, write, close,
//                 rename (the calls QRSaveAsBMP makes).
// Rounds run the three in turn (the order rotating), and each round gives
// ratios of its own; the medians of the rounds' ratios count, with their
// range. Ours is held against the floor of the same guarantee.
// Every folder stays until the last round is timed: on ext4 without a journal
// a file created soon (about a minute) after many deletions makes the kernel
// skip every recently freed inode, which costs far more than the write itself
// and would punish whichever run follows a clean-up.
// Usage: bmp_bench [FILES] [PARENT] [ROUNDS]   (defaults 10000, the current
// folder and 7; a tmpfs such as /dev/shm takes the disk out of the
// comparison)
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "QRCodeWin32.h"

namespace {

using Clock = std::chrono::steady_clock;

void Recipe(const std::string &message) {
  QRSetMessage(message.c_str());
  QRSetBackColor(255, 255, 255);
  QRSetBarColor(0, 0, 0);
  QRConfigure(0, 0, 5);
  QRAppearance(0.2, 1, 0);
  QRSetSize(200, 200);
}

std::string ReadFile(const std::string &path) {
  std::string bytes;
  if (std::FILE *file = std::fopen(path.c_str(), "rb")) {
    char buffer[65536];
    size_t count;
    while ((count = std::fread(buffer, 1, sizeof buffer, file)) > 0) bytes.append(buffer, count);
    std::fclose(file);
  }
  return bytes;
}

class Folder {
 public:
  Folder(const std::string &parent, const char *tag) {
    std::string pattern = parent + "/bmp_bench." + tag + ".XXXXXX";
    if (mkdtemp(pattern.data()) == nullptr) {
      std::perror(pattern.c_str());
      std::exit(2);
    }
    path_ = pattern;
  }
  ~Folder() {
    for (const std::string &name : names_) std::remove(name.c_str());
    rmdir(path_.c_str());
  }
  const std::string &path() const { return path_; }
  // Full paths of the files, named after the messages.
  const std::vector<std::string> &Names(const std::vector<std::string> &messages) {
    names_.clear();
    for (const std::string &message : messages) names_.push_back(path_ + "/" + message + ".jpg");
    return names_;
  }

 private:
  std::string path_;
  std::vector<std::string> names_;
};

double SecondsSince(Clock::time_point start) {
  return std::chrono::duration<double>(Clock::now() - start).count();
}

double RunOurs(Folder &folder, const std::vector<std::string> &messages) {
  const std::vector<std::string> &names = folder.Names(messages);
  sync();
  const Clock::time_point start = Clock::now();
  for (size_t i = 0; i < messages.size(); ++i) {
    Recipe(messages[i]);
    if (QRSaveAsBMP(names[i].c_str()) != -1) {
      std::fprintf(stderr, "QRSaveAsBMP failed: %s\n", names[i].c_str());
      std::exit(1);
    }
  }
  return SecondsSince(start);
}

// Writes the bytes under each name the least costly way: plain, or whole
// (a temporary file renamed into place).
double RunFloor(Folder &folder, const std::vector<std::string> &messages, const std::string &image,
                bool whole) {
  const std::vector<std::string> &names = folder.Names(messages);
  const std::string temporaryPrefix = folder.path() + "/.qr-" + std::to_string(getpid()) + "-";
  sync();
  const Clock::time_point start = Clock::now();
  unsigned long counter = 0;
  for (const std::string &name : names) {
    const std::string temporary =
        whole ? temporaryPrefix + std::to_string(counter++) + ".tmp" : std::string();
    const int fd = whole ? open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666)
                         : open(name.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    const bool written =
        fd >= 0 && write(fd, image.data(), image.size()) == static_cast<ssize_t>(image.size());
    if (fd < 0 || close(fd) != 0 || !written ||
        (whole && rename(temporary.c_str(), name.c_str()) != 0)) {
      std::fprintf(stderr, "cannot write %s\n", name.c_str());
      std::exit(1);
    }
  }
  return SecondsSince(start);
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  const size_t n = values.size();
  return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

void PrintRatio(const char *what, const std::vector<double> &ratios, const char *goal) {
  std::printf("%-26s median %.2f  (range %.2f to %.2f over %zu rounds)%s\n", what, Median(ratios),
              *std::min_element(ratios.begin(), ratios.end()),
              *std::max_element(ratios.begin(), ratios.end()), ratios.size(), goal);
}

}  // namespace

int main(int argc, char **argv) {
  const int count = argc > 1 ? std::atoi(argv[1]) : 10000;
  const std::string parent = argc > 2 ? argv[2] : ".";
  const int rounds = argc > 3 ? std::atoi(argv[3]) : 7;
  if (count <= 0 || rounds <= 0) {
    std::fprintf(stderr, "usage: bmp_bench [FILES] [PARENT] [ROUNDS]\n");
    return 2;
  }
  std::vector<std::string> messages;
  for (int i = 0; i < count; ++i) messages.push_back(std::to_string(20210706001LL + i));

  // The floor's bytes: exactly what the engine writes for the first message.
  std::string image;
  {
    Folder scratch(parent, "template");
    const std::string name = scratch.Names({messages[0]})[0];
    Recipe(messages[0]);
    QRSaveAsBMP(name.c_str());
    image = ReadFile(name);
  }
  if (image.empty()) {
    std::fprintf(stderr, "the engine wrote no file into %s\n", parent.c_str());
    return 1;
  }

  std::vector<std::unique_ptr<Folder>> folders;  // removed at exit, after all timings
  auto fresh = [&](const char *tag) -> Folder & {
    folders.push_back(std::make_unique<Folder>(parent, tag));
    return *folders.back();
  };
  std::vector<double> oursToWhole, oursToPlain, wholeToPlain;
  for (int round = 0; round < rounds; ++round) {
    double seconds[3] = {};  // plain floor, whole floor, ours
    for (int turn = 0; turn < 3; ++turn) {
      const int which = (round + turn) % 3;
      if (which == 0) seconds[0] = RunFloor(fresh("plain"), messages, image, false);
      if (which == 1) seconds[1] = RunFloor(fresh("whole"), messages, image, true);
      if (which == 2) seconds[2] = RunOurs(fresh("ours"), messages);
    }
    std::printf("round %d: floor plain %6.2f, floor whole %6.2f, ours %6.2f us/file\n", round + 1,
                seconds[0] / count * 1e6, seconds[1] / count * 1e6, seconds[2] / count * 1e6);
    oursToWhole.push_back(seconds[2] / seconds[1]);
    oursToPlain.push_back(seconds[2] / seconds[0]);
    wholeToPlain.push_back(seconds[1] / seconds[0]);
  }
  std::printf("files: %d of %zu bytes into %s\n", count, image.size(), parent.c_str());
  PrintRatio("ours / floor whole:", oursToWhole, "  (goal <= 1.25)");
  PrintRatio("ours / floor plain:", oursToPlain, "");
  PrintRatio("floor whole / floor plain:", wholeToPlain, "");
  return 0;
}
