// Bitmap files per second against the file system's floor, in one run:
//   ours:  the batch application's recipe and QRSaveAsBMP for each message
//          (20210706001 onwards), each file into an empty folder;
//   floor: a plain program writing the same ready-made bytes under the same
//          names into another empty folder (remove, fopen, fwrite, fclose).
// Best of three rounds each (the order alternates between rounds), then the
// ratio. Goal: ours <= 1.2 x floor.
// Every folder stays until the last round is timed: on ext4 without a journal
// a file created soon (about a minute) after many deletions makes the kernel
// skip every recently freed inode, which costs far more than the write itself
// and would punish whichever run follows a clean-up.
// Usage: bmp_bench [FILES] [PARENT]   (defaults 10000 and the current folder;
// a tmpfs such as /dev/shm takes the disk out of the comparison)
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

double RunFloor(Folder &folder, const std::vector<std::string> &messages, const std::string &image) {
  const std::vector<std::string> &names = folder.Names(messages);
  sync();
  const Clock::time_point start = Clock::now();
  for (const std::string &name : names) {
    std::remove(name.c_str());  // as the engine replaces an older file
    std::FILE *file = std::fopen(name.c_str(), "wb");
    if (file == nullptr || std::fwrite(image.data(), 1, image.size(), file) != image.size()) {
      std::fprintf(stderr, "cannot write %s\n", name.c_str());
      std::exit(1);
    }
    std::fclose(file);
  }
  return SecondsSince(start);
}

}  // namespace

int main(int argc, char **argv) {
  const int count = argc > 1 ? std::atoi(argv[1]) : 10000;
  const std::string parent = argc > 2 ? argv[2] : ".";
  if (count <= 0) {
    std::fprintf(stderr, "usage: bmp_bench [FILES] [PARENT]\n");
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

  double bestOurs = 1e30, bestFloor = 1e30;
  std::vector<std::unique_ptr<Folder>> folders;  // removed at exit, after all timings
  auto fresh = [&](const char *tag) -> Folder & {
    folders.push_back(std::make_unique<Folder>(parent, tag));
    return *folders.back();
  };
  for (int round = 1; round <= 3; ++round) {
    double ours, floor;
    if (round % 2 == 1) {
      ours = RunOurs(fresh("ours"), messages);
      floor = RunFloor(fresh("floor"), messages, image);
    } else {
      floor = RunFloor(fresh("floor"), messages, image);
      ours = RunOurs(fresh("ours"), messages);
    }
    std::printf("round %d: floor %7.2f us/file, ours %7.2f us/file (%.2f)\n", round, floor / count * 1e6,
                ours / count * 1e6, ours / floor);
    bestOurs = std::min(bestOurs, ours);
    bestFloor = std::min(bestFloor, floor);
  }
  std::printf("files: %d of %zu bytes into %s\n", count, image.size(), parent.c_str());
  std::printf("floor  %8.3f s  %7.2f us/file\n", bestFloor, bestFloor / count * 1e6);
  std::printf("ours   %8.3f s  %7.2f us/file\n", bestOurs, bestOurs / count * 1e6);
  std::printf("ours / floor: %.2f (goal <= 1.2)\n", bestOurs / bestFloor);
  return 0;
}
