#include "qrbatch_runner.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <thread>

#include "image_files.h"
#include "temp_folder.h"

extern char **environ;

namespace qrtest {

TempFolder::TempFolder() { path_ = MakeTempFolder("qrbatch_test_"); }

TempFolder::~TempFolder() {
  std::error_code ignored;
  if (!path_.empty()) fs::remove_all(path_, ignored);
}

std::string ReadWhole(const fs::path &path) {
  std::ifstream file(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(file), {});
}

void WriteWhole(const fs::path &path, const std::string &bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

pid_t StartQrbatch(const std::vector<std::string> &args, int in, int out, int err) {
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  if (in < 0) {
    posix_spawn_file_actions_addclose(&actions, 0);
  } else {
    posix_spawn_file_actions_adddup2(&actions, in, 0);
  }
  posix_spawn_file_actions_adddup2(&actions, out, 1);
  posix_spawn_file_actions_adddup2(&actions, err, 2);
  std::vector<std::string> argv{QRBATCH_PATH};
  argv.insert(argv.end(), args.begin(), args.end());
  std::vector<char *> pointers;
  for (std::string &arg : argv) pointers.push_back(arg.data());
  pointers.push_back(nullptr);
  pid_t pid = -1;
  if (posix_spawn(&pid, QRBATCH_PATH, &actions, nullptr, pointers.data(), environ) != 0) pid = -1;
  posix_spawn_file_actions_destroy(&actions);
  return pid;
}

int WaitQrbatch(pid_t pid) {
  int raw = 0;
  if (pid < 0 || waitpid(pid, &raw, 0) != pid) return -1;
  if (WIFSIGNALED(raw)) return 128 + WTERMSIG(raw);
  return WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
}

QrbatchRun RunQrbatch(const std::vector<std::string> &args, const fs::path &input,
                      const fs::path &scratch) {
  const fs::path outPath = scratch / "qrbatch.stdout", errPath = scratch / "qrbatch.stderr";
  const int in = open(input.c_str(), O_RDONLY | O_CLOEXEC);
  const int out = open(outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  const int err = open(errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  QrbatchRun run;
  if (in >= 0 && out >= 0 && err >= 0) run.status = WaitQrbatch(StartQrbatch(args, in, out, err));
  for (int fd : {in, out, err}) {
    if (fd >= 0) close(fd);
  }
  run.out = ReadWhole(outPath);
  run.err = ReadWhole(errPath);
  return run;
}

std::map<std::string, std::string> FilesUnder(const fs::path &folder) {
  std::map<std::string, std::string> files;
  for (const auto &entry : fs::recursive_directory_iterator(folder)) {
    if (entry.is_regular_file())
      files[fs::relative(entry.path(), folder).string()] = ReadWhole(entry.path());
  }
  return files;
}

bool ReadImageGrey(const fs::path &file, std::vector<uint8_t> &grey, int &width, int &height) {
  const std::string extension = file.extension().string();
  if (extension == ".png") return ReadPngGrey(file.string(), grey, width, height);
  if (extension == ".svg") {
    const fs::path rendered = file.string() + ".rendered.png";
    const std::string command =
        "rsvg-convert -o '" + rendered.string() + "' '" + file.string() + "'";
    const bool ok =
        std::system(command.c_str()) == 0 && ReadPngGrey(rendered.string(), grey, width, height);
    fs::remove(rendered);
    return ok;
  }
  BitmapImage bitmap;
  if (!ReadBitmapFile(file.string(), bitmap)) return false;
  grey = bitmap.Grey();
  width = bitmap.width;
  height = bitmap.height;
  return true;
}

Decoded DecodeImageFile(const fs::path &file) {
  std::vector<uint8_t> grey;
  int width = 0, height = 0;
  if (!ReadImageGrey(file, grey, width, height)) return {};
  return DecodeUnframed(grey, width, height);
}

Decoded DecodeUnframed(const std::vector<uint8_t> &grey, int width, int height) {
  // The symbol has no quiet zone of its own: give it one.
  const int margin = 40, w = width + 2 * margin, h = height + 2 * margin;
  std::vector<uint8_t> padded(static_cast<size_t>(w) * h, 255);
  for (int y = 0; y < height; ++y) {
    std::copy_n(&grey[static_cast<size_t>(y) * width], width,
                &padded[static_cast<size_t>(y + margin) * w + margin]);
  }
  return DecodeGrey(padded, w, h);
}

bool WaitForFile(const fs::path &file, double seconds) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
  while (!fs::exists(file)) {
    if (std::chrono::steady_clock::now() > deadline) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  return true;
}

}  // namespace qrtest
