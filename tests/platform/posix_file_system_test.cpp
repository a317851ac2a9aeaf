// Whole-file writes on POSIX: the target names the old file or the complete
// new one, and no temporary file outlives a write.
#include "posix_file_system.h"
#include "stale_temporaries.h"
#include "temp_folder.h"

#include <dirent.h>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <vector>

namespace qrplatform {
namespace {

class PosixWriteTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folder = qrtest::MakeTempFolder("posix_write_");
    ASSERT_FALSE(folder.empty());
  }
  void TearDown() override { std::system(("rm -rf '" + folder + "'").c_str()); }

  std::string Path(const std::string &name) const { return folder + "/" + name; }
  static std::string Content(const std::string &path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
  }
  static void Put(const std::string &path, const std::string &bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
  }
  std::vector<std::string> Names() const {
    std::vector<std::string> names;
    DIR *dir = opendir(folder.c_str());
    while (dirent *entry = readdir(dir)) {
      const std::string name = entry->d_name;
      if (name != "." && name != "..") names.push_back(name);
    }
    closedir(dir);
    std::sort(names.begin(), names.end());
    return names;
  }

  PosixFileSystem files;
  std::string folder;
};

TEST_F(PosixWriteTest, WritesNewAndReplacesOldFiles) {
  EXPECT_TRUE(files.WriteFile(Path("a.jpg"), "BM first"));
  EXPECT_EQ(Content(Path("a.jpg")), "BM first");
  EXPECT_TRUE(files.WriteFile(Path("a.jpg"), "BM"));
  EXPECT_EQ(Content(Path("a.jpg")), "BM");
  EXPECT_TRUE(files.WriteFile(Path("empty.jpg"), ""));
  EXPECT_EQ(Content(Path("empty.jpg")), "");
  EXPECT_EQ(Names(), (std::vector<std::string>{"a.jpg", "empty.jpg"}));
}

TEST_F(PosixWriteTest, AHardLinkToTheOldFileKeepsTheOldBytes) {
  Put(Path("a.jpg"), "old bytes");
  ASSERT_EQ(link(Path("a.jpg").c_str(), Path("kept.jpg").c_str()), 0);
  EXPECT_TRUE(files.WriteFile(Path("a.jpg"), "new"));
  EXPECT_EQ(Content(Path("a.jpg")), "new");
  EXPECT_EQ(Content(Path("kept.jpg")), "old bytes");
}

// The write fails part-way (a file size limit of 4,096 bytes, as a full disk
// would): the old file is still whole and nothing else is left.
TEST_F(PosixWriteTest, AWriteFailingPartWayLeavesTheOldFileWhole) {
  Put(Path("a.jpg"), "old bytes");
  const pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    signal(SIGXFSZ, SIG_IGN);
    const rlimit limit = {4096, 4096};
    setrlimit(RLIMIT_FSIZE, &limit);
    _exit(files.WriteFile(Path("a.jpg"), std::string(100000, 'x')) ? 0 : 1);
  }
  int status = 0;
  ASSERT_EQ(waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 1) << "the failed write is reported";
  EXPECT_EQ(Content(Path("a.jpg")), "old bytes");
  EXPECT_EQ(Names(), std::vector<std::string>{"a.jpg"});
}

// The window's writer killed mid-write (by the file size limit's signal)
// leaves its temporary under the one temporary name, which the next batch
// in that folder sweeps.
TEST_F(PosixWriteTest, AKilledWritersTemporaryIsSweptByTheNextBatch) {
  Put(Path("a.jpg"), "old bytes");
  const pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    const rlimit noCore = {0, 0}, limit = {4096, 4096};
    setrlimit(RLIMIT_CORE, &noCore);
    setrlimit(RLIMIT_FSIZE, &limit);
    _exit(files.WriteFile(Path("a.jpg"), std::string(100000, 'x')) ? 0 : 1);
  }
  int status = 0;
  ASSERT_EQ(waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFSIGNALED(status));
  std::vector<std::string> names = Names();
  ASSERT_EQ(names.size(), 2u);
  EXPECT_EQ(TemporaryFileOwner(names[0]), static_cast<unsigned long long>(child)) << names[0];
  EXPECT_EQ(RemoveStaleTemporaries(folder), 1);
  EXPECT_EQ(Names(), std::vector<std::string>{"a.jpg"});
  EXPECT_EQ(Content(Path("a.jpg")), "old bytes");
}

TEST_F(PosixWriteTest, AFolderUnderTheNameIsNeitherReplacedNorLittered) {
  ASSERT_EQ(mkdir(Path("a.jpg").c_str(), 0777), 0);
  EXPECT_FALSE(files.WriteFile(Path("a.jpg"), "BM"));
  struct stat info;
  ASSERT_EQ(stat(Path("a.jpg").c_str(), &info), 0);
  EXPECT_TRUE(S_ISDIR(info.st_mode));
  EXPECT_EQ(Names(), std::vector<std::string>{"a.jpg"});
}

TEST_F(PosixWriteTest, RemovingNeverTakesAnEmptyFolder) {
  ASSERT_EQ(mkdir(Path("a.jpg").c_str(), 0777), 0);
  EXPECT_FALSE(files.Remove(Path("a.jpg")));
  EXPECT_TRUE(files.IsDirectory(Path("a.jpg")));
  Put(Path("b.jpg"), "BM");
  EXPECT_TRUE(files.Remove(Path("b.jpg")));
  EXPECT_EQ(Names(), std::vector<std::string>{"a.jpg"});
}

TEST_F(PosixWriteTest, AMissingFolderFailsWithoutCreatingAnything) {
  EXPECT_FALSE(files.WriteFile(Path("missing/a.jpg"), "BM"));
  EXPECT_TRUE(Names().empty());
}

}  // namespace
}  // namespace qrplatform
