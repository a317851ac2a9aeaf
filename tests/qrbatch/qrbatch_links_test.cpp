// Symbolic links never lead qrbatch's files out of its folder: not a link
// inside the folder, not the folder's own name handed to a link mid-batch.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <unistd.h>

#include "qrbatch_runner.h"

namespace qrtest {
namespace {

int OpenErr(const fs::path &path) {
  return open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
}

TEST(QrbatchLinks, ALinkInsideTheFolderIsRefusedWithItsReason) {
  TempFolder temp;
  const fs::path out = temp.path() / "out", elsewhere = temp.path() / "elsewhere";
  fs::create_directories(out / "real");
  fs::create_directories(elsewhere);
  fs::create_directory_symlink(elsewhere, out / "sub");
  fs::create_symlink(elsewhere / "target.jpg", out / "named.jpg");
  WriteWhole(temp.path() / "in", "sub\\x\nsub/y\nreal/z\nnamed\n");
  const QrbatchRun run = RunQrbatch({"-o", out.string()}, temp.path() / "in", temp.path());
  EXPECT_EQ(run.status, 1);
  EXPECT_NE(run.err.find("line 1: could not be written (a folder of the name is a symbolic link)"),
            std::string::npos)
      << run.err;
  EXPECT_NE(run.err.find("line 2: could not be written (a folder of the name is a symbolic link)"),
            std::string::npos);
  EXPECT_TRUE(FilesUnder(elsewhere).empty());
  // A link under the file's own name is replaced by the file, not followed.
  EXPECT_TRUE(fs::is_regular_file(fs::symlink_status(out / "named.jpg")));
  EXPECT_EQ(DecodeImageFile(out / "named.jpg").bytes, "named");
  EXPECT_EQ(DecodeImageFile(out / "real" / "z.jpg").bytes, "real/z");
}

TEST(QrbatchLinks, TheFolderIsKeptWhenItsNameGoesToALinkMidBatch) {
  TempFolder temp;
  const fs::path out = temp.path() / "out", moved = temp.path() / "moved",
                 elsewhere = temp.path() / "elsewhere";
  fs::create_directories(elsewhere);
  int toQrbatch[2];
  ASSERT_EQ(pipe2(toQrbatch, O_CLOEXEC), 0);
  const int err = OpenErr(temp.path() / "err");
  const pid_t pid = StartQrbatch({"-o", out.string(), "-j", "2"}, toQrbatch[0], err, err);
  ASSERT_GT(pid, 0);
  close(toQrbatch[0]);
  auto send = [&](const std::string &line) {
    ASSERT_EQ(write(toQrbatch[1], line.data(), line.size()), static_cast<ssize_t>(line.size()));
  };
  send("before\n");
  ASSERT_TRUE(WaitForFile(out / "before.jpg"));
  fs::rename(out, moved);
  fs::create_directory_symlink(elsewhere, out);
  for (int i = 1; i <= 20; ++i) send("after-" + std::to_string(i) + "\n");
  close(toQrbatch[1]);
  EXPECT_EQ(WaitQrbatch(pid), 0);
  close(err);
  EXPECT_TRUE(FilesUnder(elsewhere).empty());
  EXPECT_EQ(FilesUnder(moved).size(), 21u);
}

}  // namespace
}  // namespace qrtest
