// qrbatch's files outlast a power cut: once the batch has said a line is
// written, its file is on the disk whole under its name, in sub-folders
// too, and no temporary file is left.
#include <gtest/gtest.h>

#include <unistd.h>

#include <string>

#include "power_cut.h"
#include "qrbatch_runner.h"

namespace qrtest {
namespace {

// Lines naming files in DIR and in two sub-folders (which must exist).
std::string LinesOfFolders(int count) {
  std::string lines;
  for (int i = 0; i < count; ++i) {
    const std::string number = std::to_string(20210706000LL + i);
    lines += (i % 5 == 0 ? "sub\\" : i % 7 == 0 ? "sub\\deeper\\" : "") + number + "\n";
  }
  return lines;
}

void ExpectFilesOutlastAPowerCut(const std::vector<std::string> &options) {
  PowerCutDisk disk;
  if (!disk.unusable().empty()) GTEST_SKIP() << disk.unusable();
  TempFolder temp;
  WriteWhole(temp.path() / "lines.txt", LinesOfFolders(400));
  const fs::path out = fs::path(disk.path()) / "out";
  for (const fs::path &folder : {temp.path() / "expected", out})
    fs::create_directories(folder / "sub/deeper");
  sync();  // the folders were there before the batch, on the disk too
  std::vector<std::string> expectedArgs = options, args = options;
  expectedArgs.insert(expectedArgs.end(), {"-o", (temp.path() / "expected").string()});
  ASSERT_EQ(RunQrbatch(expectedArgs, temp.path() / "lines.txt", temp.path()).status, 0);
  const auto expected = FilesUnder(temp.path() / "expected");
  ASSERT_EQ(expected.size(), 400u);

  args.insert(args.end(), {"-o", out.string()});
  const QrbatchRun run = RunQrbatch(args, temp.path() / "lines.txt", temp.path());
  ASSERT_EQ(run.status, 0) << run.err;
  // Straight after the batch: whatever the disk does not have yet is lost.
  std::string reason;
  ASSERT_TRUE(disk.CutPowerAndRemount(reason)) << reason;

  const auto found = FilesUnder(out);
  size_t whole = 0, shown = 0;
  for (const auto &[name, bytes] : expected) {
    const auto file = found.find(name);
    if (file != found.end() && file->second == bytes) {
      ++whole;
    } else if (++shown <= 3) {  // a sample is enough
      ADD_FAILURE() << name << ": "
                    << (file == found.end() ? "lost"
                                            : std::to_string(file->second.size()) + " of " +
                                                  std::to_string(bytes.size()) + " bytes");
    }
  }
  EXPECT_EQ(whole, expected.size());
  EXPECT_EQ(found.size(), expected.size()) << "a temporary file is left";
}

TEST(QrbatchDurability, WrittenFilesOutlastAPowerCutWithOneWorker) {
  ExpectFilesOutlastAPowerCut({"-j", "1"});
}

TEST(QrbatchDurability, WrittenFilesOutlastAPowerCutWithTwoWorkers) {
  ExpectFilesOutlastAPowerCut({"-j", "2", "--format", "png"});
}

}  // namespace
}  // namespace qrtest
