// Temporary files of ended processes are removed; those of live processes,
// look-alike names and anything but regular files are kept.
#include "stale_temporaries.h"
#include "ended_process.h"
#include "temp_folder.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <climits>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <set>
#include <string>

namespace {

namespace fs = std::filesystem;
using qrplatform::RemoveStaleTemporaries;
using qrplatform::TemporaryFileOwner;
using qrtest::EndedProcess;

TEST(StaleTemporaries, OnlyTheEnginesExactNamesHaveAnOwner) {
  struct Case {
    const char *name;
    unsigned long long owner;
  };
  const Case cases[] = {
      {".qr-123-0.tmp", 123},
      {".qr-4294967295-18446744073709551615.tmp", 4294967295ull},
      {".qr-7-10.tmp", 7},
      {".qr-0-1.tmp", 0},    // no process 0
      {".qr-012-1.tmp", 0},  // leading zeros are not printed
      {".qr-12-01.tmp", 0},
      {".qr--12-1.tmp", 0},
      {".qr-+12-1.tmp", 0},
      {".qr-12-.tmp", 0},
      {".qr--.tmp", 0},
      {".qr-12.tmp", 0},
      {".qr-12-1-2.tmp", 0},
      {".qr-12-1.tmp.jpg", 0},
      {".qr-12-1.TMP", 0},
      {".QR-12-1.tmp", 0},
      {"qr-12-1.tmp", 0},
      {"x.qr-12-1.tmp", 0},
      {".qr-12345678901-1.tmp", 0},  // more digits than any process id
      {".qr-12-123456789012345678901.tmp", 0},
      {".qr-12- 1.tmp", 0},
      {".qr-.tmp", 0},
      {".qrwrite-12-1.tmp", 12},  // the window's name before it took the common one
      {".qrwrite-12.tmp", 0},
      {".qrwrite12-1.tmp", 0},
      {"", 0},
  };
  for (const Case &c : cases) EXPECT_EQ(TemporaryFileOwner(c.name), c.owner) << c.name;
}

TEST(StaleTemporaries, RemovesOnlyRegularFilesOfEndedProcessesInTheFolderItself) {
  const std::string made = qrtest::MakeTempFolder("stale_temporaries_");
  ASSERT_FALSE(made.empty());
  const fs::path folder = made;
  const pid_t ended = EndedProcess();
  ASSERT_EQ(kill(ended, 0), -1);
  const std::string dead = std::to_string(ended), live = std::to_string(getpid());
  const std::set<std::string> stale = {".qr-" + dead + "-0.tmp", ".qr-" + dead + "-417.tmp",
                                       ".qr-" + std::to_string(INT_MAX) + "-3.tmp"};
  const std::set<std::string> kept = {".qr-" + live + "-0.tmp",  // this process could be writing it
                                      ".qr-1-5.tmp",             // init: live, of another user
                                      ".qr-" + dead + "-01.tmp",
                                      ".qr-" + dead + "-2.tmp.jpg",
                                      "qr-" + dead + "-3.tmp",
                                      ".qr-" + dead + "-4.TMP",
                                      "x.jpg"};
  for (const auto &name : stale) std::ofstream(folder / name) << "partial";
  for (const auto &name : kept) std::ofstream(folder / name) << "keep";
  // Not regular files, and one a level down: left alone.
  fs::create_directory(folder / (".qr-" + dead + "-6.tmp"));
  fs::create_symlink("x.jpg", folder / (".qr-" + dead + "-7.tmp"));
  fs::create_directory(folder / "sub");
  std::ofstream(folder / "sub" / (".qr-" + dead + "-8.tmp")) << "partial";

  EXPECT_EQ(RemoveStaleTemporaries(folder.string()), static_cast<int>(stale.size()));
  std::set<std::string> left;
  for (const auto &entry : fs::directory_iterator(folder))
    left.insert(entry.path().filename().string());
  std::set<std::string> expected = kept;
  expected.insert({".qr-" + dead + "-6.tmp", ".qr-" + dead + "-7.tmp", "sub"});
  EXPECT_EQ(left, expected);
  EXPECT_EQ(RemoveStaleTemporaries((folder / "missing").string()), 0);
  fs::remove_all(folder);
}

}  // namespace
