// The engine's files outlast a power cut: once QRSaveAsBMP, QRSaveAsWMF or
// WriteWholeFile has returned success, the file is on the disk whole under
// its name. A failed save keeps the file it would have replaced.
#include <gtest/gtest.h>
#include <unistd.h>

#include <fstream>
#include <string>
#include <vector>

#include "QRCodeWin32.h"
#include "image_files.h"
#include "pending_file.h"
#include "power_cut.h"
#include "symbol_engine.h"
#include "temp_folder.h"

namespace {

void Recipe(const std::string &message) {
  QRSetMessage(message.c_str());
  QRSetBackColor(255, 255, 255);
  QRSetBarColor(0, 0, 0);
  QRConfigure(0, 1, 5);
  QRAppearance(0.2, 1, 0);
  QRSetSize(200, 200);
}

// Writes file `i` of the test into `folder` the way `i` picks.
bool WriteOne(const std::string &folder, int i) {
  const std::string name = folder + "/" + std::to_string(i);
  Recipe("2021070600" + std::to_string(i));
  if (i % 3 == 0) return QRSaveAsBMP((name + ".jpg").c_str()) == -1;
  if (i % 3 == 1) return QRSaveAsWMF((name + ".wmf").c_str()) == -1;
  const std::string text(3000 + i, static_cast<char>('a' + i % 26));
  return qrplatform::WriteWholeFile((name + ".txt").c_str(), {{text.data(), text.size()}});
}

std::string Extension(int i) { return i % 3 == 0 ? ".jpg" : i % 3 == 1 ? ".wmf" : ".txt"; }

TEST(DurableOutput, SavedFilesOutlastAPowerCut) {
  qrtest::PowerCutDisk disk;
  if (!disk.unusable().empty()) GTEST_SKIP() << disk.unusable();
  constexpr int kFiles = 60;
  const std::string expectedFolder = qrtest::MakeTempFolder("durable_output.");
  ASSERT_FALSE(expectedFolder.empty());
  // The file a save replaces is on the disk before the save.
  const std::string replaced = disk.path() + "/0.jpg";
  std::ofstream(replaced) << "old";
  sync();
  for (int i = 0; i < kFiles; ++i) {
    ASSERT_TRUE(WriteOne(expectedFolder, i)) << i;
    ASSERT_TRUE(WriteOne(disk.path(), i)) << i;
  }
  std::string reason;
  ASSERT_TRUE(disk.CutPowerAndRemount(reason)) << reason;
  int whole = 0;
  for (int i = 0; i < kFiles; ++i) {
    const std::string name = std::to_string(i) + Extension(i);
    const std::vector<uint8_t> expected = qrtest::ReadFileBytes(expectedFolder + ("/" + name));
    const std::vector<uint8_t> found = qrtest::ReadFileBytes(disk.path() + "/" + name);
    EXPECT_EQ(found.size(), expected.size()) << name;
    whole += found == expected;
    unlink((expectedFolder + ("/" + name)).c_str());
  }
  rmdir(expectedFolder.c_str());
  EXPECT_EQ(whole, kFiles);
}

}  // namespace
