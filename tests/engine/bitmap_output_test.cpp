// Bitmap files: layout byte by byte, colour depth and palette, placement,
// the symbol read back from the file by a real decoder, and files that
// appear whole or not at all.
#include <dirent.h>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <fstream>
#include <set>
#include <string>

#include "engine_state.h"
#include "file_output.h"
#include "image_files.h"
#include "pattern_data.h"
#include "pending_file.h"
#include "qr_decoder.h"
#include "symbol_engine.h"

namespace {

using qrtest::Le16;
using qrtest::Le32;

std::string TempPath(const std::string &name) {
  return qrtest::RemovedAtExit(::testing::TempDir() + "bitmap_output_" + name);
}

// The recipe the batch application sends for every image.
void ApplicationRecipe(const char *message, int width, int height) {
  QRSetMessage(message);
  QRSetBackColor(255, 255, 255);
  QRSetBarColor(0, 0, 0);
  QRConfigure(0, 1, 5);
  QRAppearance(0.2, 1, 0);
  QRSetSize(width, height);
}

qrtest::BitmapImage SaveAndRead(const std::string &path) {
  EXPECT_EQ(QRSaveAsBMP(path.c_str()), -1);
  qrtest::BitmapImage image;
  EXPECT_TRUE(qrtest::ReadBitmapFile(path, image)) << path;
  return image;
}

// A finder pattern's 7 x 7 modules with its top-left module at (x, y),
// sampled at module centres of m units from the symbol's corner.
bool FinderAt(const qrtest::BitmapImage &image, int left, int top, int m, int x, int y) {
  for (int dy = 0; dy < 7; ++dy)
    for (int dx = 0; dx < 7; ++dx) {
      const int ring = std::max(std::abs(dx - 3), std::abs(dy - 3));
      const bool dark = ring != 2;
      const int px = left + (x + dx) * m + m / 2, py = top + (y + dy) * m + m / 2;
      if ((image.ColourAt(px, py) == 0x000000) != dark) return false;
    }
  return true;
}

TEST(BitmapFile, BlackOnWhiteIsOneBitPerPixel) {
  QRSetDefault();
  QRSetBackColor(255, 255, 255);
  QRSetBarColor(0, 0, 0);
  QRSetSize(500, 300);
  const std::string path = TempPath("one_bit.bmp");
  ASSERT_EQ(QRSaveAsBMP(path.c_str()), -1);
  const std::vector<uint8_t> b = qrtest::ReadFileBytes(path);
  ASSERT_EQ(b.size(), 19262u);
  EXPECT_EQ(b[0], 'B');
  EXPECT_EQ(b[1], 'M');
  EXPECT_EQ(Le32(b, 2), 19262u);
  EXPECT_EQ(Le32(b, 6), 0u);
  EXPECT_EQ(Le32(b, 10), 62u);
  EXPECT_EQ(Le32(b, 14), 40u);
  EXPECT_EQ(Le32(b, 18), 500u);
  EXPECT_EQ(Le32(b, 22), 300u);
  EXPECT_EQ(Le16(b, 26), 1u);
  EXPECT_EQ(Le16(b, 28), 1u);
  EXPECT_EQ(Le32(b, 30), 0u);
  EXPECT_EQ(Le32(b, 34), 64u * 300);
  for (size_t at = 38; at < 54; at += 4) EXPECT_EQ(Le32(b, at), 0u) << at;
  EXPECT_EQ(Le32(b, 54), 0x00000000u);  // black
  EXPECT_EQ(Le32(b, 58), 0x00FFFFFFu);  // white

  qrtest::BitmapImage image;
  ASSERT_TRUE(qrtest::ReadBitmapFile(path, image));
  EXPECT_EQ(image.IndexAt(0, 0), 1);  // background
  EXPECT_EQ(qrtest::DecodeGrey(image.Grey(), image.width, image.height).bytes, "12");
}

TEST(BitmapFile, DefaultColoursAloneTakeFourBitsAndTheSixteenColourTable) {
  QRSetDefault();
  qr::engineState.barDepth = 0;  // the colour setters never called
  qr::engineState.backDepth = 0;
  QRSetMessage("DEFAULT COLOURS");
  const std::string path = TempPath("four_bit.bmp");
  ASSERT_EQ(QRSaveAsBMP(path.c_str()), -1);
  const std::vector<uint8_t> b = qrtest::ReadFileBytes(path);
  ASSERT_EQ(b.size(), 75718u);
  EXPECT_EQ(Le32(b, 10), 118u);
  EXPECT_EQ(Le16(b, 28), 4u);
  EXPECT_EQ(Le32(b, 34), 252u * 300);

  qrtest::BitmapImage image;
  ASSERT_TRUE(qrtest::ReadBitmapFile(path, image));
  ASSERT_EQ(image.palette.size(), 16u);
  EXPECT_EQ(image.palette.front(), 0x000000u);
  EXPECT_EQ(image.palette.back(), 0xFFFFFFu);
  EXPECT_EQ(image.ColourAt(0, 0), 0xFFFFFFu);
  EXPECT_EQ(qrtest::DecodeGrey(image.Grey(), image.width, image.height).bytes, "DEFAULT COLOURS");
}

TEST(BitmapFile, ColouredBarsTakeTheNearestPaletteColour) {
  QRSetDefault();
  QRSetBackColor(255, 255, 255);
  QRSetBarColor(0, 0, 1);  // almost black, yet not plain: four bits
  const qrtest::BitmapImage nearBlack = SaveAndRead(TempPath("near_black.bmp"));
  EXPECT_EQ(nearBlack.bitsPerPixel, 4);
  EXPECT_EQ(qrtest::DecodeGrey(nearBlack.Grey(), nearBlack.width, nearBlack.height).bytes, "12");

  QRSetBarColor(200, 0, 0);       // nearer full red than dark red
  QRSetBackColor(250, 250, 190);  // nearest: white
  const qrtest::BitmapImage red = SaveAndRead(TempPath("red.bmp"));
  ASSERT_EQ(red.bitsPerPixel, 4);
  EXPECT_EQ(red.ColourAt(0, 0), 0xFFFFFFu);
  bool sawBar = false;
  for (int y = 0; y < red.height; ++y)
    for (int x = 0; x < red.width; ++x)
      if (red.ColourAt(x, y) != 0xFFFFFFu) {
        EXPECT_EQ(red.ColourAt(x, y), 0x0000FFu);
        sawBar = true;
      }
  EXPECT_TRUE(sawBar);

  QRSetBarColor(0, 100, 0);  // dark green
  const qrtest::BitmapImage green = SaveAndRead(TempPath("green.bmp"));
  bool sawGreen = false;
  for (int y = 0; y < green.height && !sawGreen; ++y)
    for (int x = 0; x < green.width; ++x)
      if (green.ColourAt(x, y) == 0x008000u) sawGreen = true;
  EXPECT_TRUE(sawGreen);
}

TEST(BitmapFile, RowsArePaddedToWholeWords) {
  QRSetDefault();
  QRSetBackColor(255, 255, 255);
  QRSetBarColor(0, 0, 0);
  QRSetSize(1, 7);
  const std::string path = TempPath("narrow.bmp");
  ASSERT_EQ(QRSaveAsBMP(path.c_str()), -1);
  const std::vector<uint8_t> b = qrtest::ReadFileBytes(path);
  ASSERT_EQ(b.size(), 62u + 4 * 7);
  EXPECT_EQ(Le32(b, 34), 28u);
  for (int row = 0; row < 7; ++row) {
    EXPECT_EQ(b[62 + 4 * row] & 0x7F, 0) << "padding bits of row " << row;
    for (int pad = 1; pad < 4; ++pad) EXPECT_EQ(b[62 + 4 * row + pad], 0);
  }
}

TEST(BitmapFile, ApplicationRecipeGivesAnUprightSymbolOfEightUnitModules) {
  ApplicationRecipe("12", 300, 240);
  const qrtest::BitmapImage image = SaveAndRead(TempPath("application.bmp"));
  ASSERT_EQ(image.bitsPerPixel, 1);
  // Version 1 at 8 units is 168 wide: offsets 66 and (240 - 168 - 36) = 36.
  int minX = image.width, minY = image.height, maxX = -1, maxY = -1;
  for (int y = 0; y < image.height; ++y)
    for (int x = 0; x < image.width; ++x)
      if (image.IndexAt(x, y) == 0)
        minX = std::min(minX, x), minY = std::min(minY, y), maxX = std::max(maxX, x),
        maxY = std::max(maxY, y);
  EXPECT_EQ(minX, 66);
  EXPECT_EQ(minY, 36);
  EXPECT_EQ(maxX - minX + 1, 168);
  EXPECT_EQ(maxY - minY + 1, 168);
  EXPECT_TRUE(FinderAt(image, 66, 36, 8, 0, 0));
  EXPECT_TRUE(FinderAt(image, 66, 36, 8, 14, 0));
  EXPECT_TRUE(FinderAt(image, 66, 36, 8, 0, 14));
  EXPECT_FALSE(FinderAt(image, 66, 36, 8, 14, 14));
  const qrtest::Decoded decoded = qrtest::DecodeGrey(image.Grey(), image.width, image.height);
  EXPECT_EQ(decoded.bytes, "12");
  EXPECT_EQ(decoded.ecLevel, "M");
}

TEST(BitmapFile, EveryOrientationAndBorderReadsBack) {
  const std::string message = "\xb2\xe2\xca\xd4\xca\xfd\xbe\xdd 2021-07-06";  // GBK text and ASCII
  for (int orientation = 0; orientation < 4; ++orientation)
    for (int frame = 0; frame < 3; ++frame) {
      SCOPED_TRACE(testing::Message() << "orientation " << orientation << ", frame " << frame);
      ApplicationRecipe(message.c_str(), 320, 330);
      QRAppearance(0.2, orientation, frame);
      const qrtest::BitmapImage image = SaveAndRead(TempPath("orientation.bmp"));
      EXPECT_EQ(qrtest::DecodeGrey(image.Grey(), image.width, image.height).bytes, message);
    }
}

TEST(BitmapFile, BottomRowComesFirstAndHoldsTheBottomBorder) {
  ApplicationRecipe("12", 100, 100);
  QRAppearance(0.07, 0, 2);  // 63-unit symbol at y 18 to 80
  const std::string path = TempPath("border.bmp");
  ASSERT_EQ(QRSaveAsBMP(path.c_str()), -1);
  const std::vector<uint8_t> b = qrtest::ReadFileBytes(path);
  ASSERT_EQ(b.size(), 62u + 16 * 100);
  // First stored row: the solid bottom line, 100 dark (zero) pixels and
  // zero padding.
  for (int i = 0; i < 16; ++i) EXPECT_EQ(b[62 + i], 0x00) << i;
  // Second stored row: dark left and right edges, light inside.
  EXPECT_EQ(b[62 + 16], 0x7F);
  EXPECT_EQ(b[62 + 16 + 12], 0xE0);
}

TEST(BitmapFile, DashedBorderAlongTheBottomRow) {
  ApplicationRecipe("12", 120, 100);
  QRAppearance(0.07, 0, 1);
  const qrtest::BitmapImage image = SaveAndRead(TempPath("dashed.bmp"));
  // Every other four-unit step draws; the last dash stretches to the
  // corner but stops before it.
  std::string expected;
  for (int k = 0; k < 14; ++k) expected += "####....";
  expected += "#######.";
  std::string bottom;
  for (int x = 0; x < 120; ++x) bottom += image.IndexAt(x, 99) == 0 ? '#' : '.';
  EXPECT_EQ(bottom, expected);
}

TEST(BitmapFile, ExistingFileIsReplaced) {
  const std::string path = TempPath("replaced.bmp");
  std::ofstream(path, std::ios::binary) << std::string(100000, 'x');
  ApplicationRecipe("12", 64, 64);
  ASSERT_EQ(QRSaveAsBMP(path.c_str()), -1);
  EXPECT_EQ(qrtest::ReadFileBytes(path).size(), 62u + 8 * 64);
}

TEST(BitmapFile, OldFileIsDeletedNotWrittenThrough) {
  // A second name of the old file keeps the old bytes: a new file took the
  // name; the old one was not overwritten in place.
  const std::string path = TempPath("linked.bmp"), other = TempPath("linked_other.bmp");
  const std::string dangling = TempPath("dangling.bmp"), folder = TempPath("folder.bmp");
  for (const std::string &left : {path, other, dangling, folder + "/kept", folder})
    std::remove(left.c_str());  // an earlier run's
  std::ofstream(path, std::ios::binary) << "old";
  ASSERT_EQ(link(path.c_str(), other.c_str()), 0);
  ApplicationRecipe("12", 64, 64);
  ASSERT_EQ(QRSaveAsBMP(path.c_str()), -1);
  EXPECT_EQ(qrtest::ReadFileBytes(path).size(), 62u + 8 * 64);
  EXPECT_EQ(qrtest::ReadFileBytes(other).size(), 3u);

  // A link that leads nowhere is replaced by the file itself.
  ASSERT_EQ(symlink((::testing::TempDir() + "no such folder/target").c_str(), dangling.c_str()), 0);
  ASSERT_EQ(QRSaveAsBMP(dangling.c_str()), -1);
  EXPECT_EQ(qrtest::ReadFileBytes(dangling).size(), 62u + 8 * 64);

  // A folder of that name with something in it stays, and nothing is written.
  const std::string inside = folder + "/kept";
  ASSERT_EQ(mkdir(folder.c_str(), 0777), 0);
  std::ofstream(inside) << "kept";
  EXPECT_EQ(QRSaveAsBMP(folder.c_str()), 0);
  EXPECT_EQ(qrtest::ReadFileBytes(inside).size(), 4u);
  std::remove(inside.c_str());
}

TEST(BitmapFile, FailuresReturnZeroAndKeepTheFileOfThatName) {
  const std::string path = TempPath("failure.bmp"), fresh = TempPath("failure_fresh.bmp");
  std::remove(fresh.c_str());  // an earlier run's
  const std::string old = std::string("old\0bytes\r\n", 11) + std::string(5000, '\xff');
  std::ofstream(path, std::ios::binary) << old;
  ApplicationRecipe(std::string(7090, '1').c_str(), 100, 100);  // fits no version
  EXPECT_EQ(QRSaveAsBMP(path.c_str()), 0);
  EXPECT_EQ(QRSaveAsBMP(fresh.c_str()), 0);

  ApplicationRecipe("12", -10, 100);  // no area
  EXPECT_EQ(QRSaveAsBMP(path.c_str()), 0);
  EXPECT_EQ(QRSaveAsBMP(fresh.c_str()), 0);
  const std::vector<uint8_t> kept = qrtest::ReadFileBytes(path);
  EXPECT_TRUE(std::string(kept.begin(), kept.end()) == old) << kept.size() << " bytes";
  EXPECT_FALSE(qrtest::FileExists(fresh));

  ApplicationRecipe("12", 100, 100);
  EXPECT_EQ(QRSaveAsBMP((::testing::TempDir() + "no such folder/x.bmp").c_str()), 0);
  EXPECT_EQ(QRSaveAsBMP(nullptr), 0);
}

// A fresh empty folder of its own, removed with what is left in it.
class ScratchFolder {
 public:
  ScratchFolder() {
    std::string pattern = ::testing::TempDir() + "whole_file.XXXXXX";
    if (mkdtemp(&pattern[0]) != nullptr) path_ = pattern;
  }
  ~ScratchFolder() {
    for (const std::string &name : Names()) {
      const std::string full = path_ + "/" + name;
      if (unlink(full.c_str()) != 0) rmdir(full.c_str());
    }
    rmdir(path_.c_str());
  }
  std::string Path(const std::string &name) const { return path_ + "/" + name; }
  std::set<std::string> Names() const {
    std::set<std::string> names;
    if (DIR *dir = opendir(path_.c_str())) {
      while (const dirent *entry = readdir(dir))
        if (std::string(entry->d_name) != "." && std::string(entry->d_name) != "..")
          names.insert(entry->d_name);
      closedir(dir);
    }
    return names;
  }

 private:
  std::string path_;
};

std::string FileText(const std::string &path) {
  const std::vector<uint8_t> bytes = qrtest::ReadFileBytes(path);
  return std::string(bytes.begin(), bytes.end());
}

bool IsFolder(const std::string &path) {
  struct stat info;
  return stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

// Interrupts every write right after its temporary file was created, and
// notes what the folder held at that moment.
struct InjectedFault {
  static const ScratchFolder *folder;
  static std::set<std::string> seen;
  static bool Fail() {
    seen = folder->Names();
    return false;
  }
  explicit InjectedFault(const ScratchFolder &f) {
    folder = &f;
    seen.clear();
    qr::afterTemporaryFileCreated = &Fail;
  }
  ~InjectedFault() { qr::afterTemporaryFileCreated = nullptr; }
};
const ScratchFolder *InjectedFault::folder = nullptr;
std::set<std::string> InjectedFault::seen;

TEST(WholeFile, FaultBetweenCreateAndWriteKeepsTheOldFileAndLeavesNoTemporary) {
  ScratchFolder folder;
  const std::string path = folder.Path("20210706001.jpg");
  std::ofstream(path, std::ios::binary) << "old";
  {
    InjectedFault fault(folder);
    ApplicationRecipe("20210706001", 200, 200);
    EXPECT_EQ(QRSaveAsBMP(path.c_str()), 0);
    // The bytes were on their way into a hidden temporary file beside it.
    ASSERT_EQ(fault.seen.size(), 2u);
    const std::string temporary =
        *fault.seen.rbegin() == "20210706001.jpg" ? *fault.seen.begin() : *fault.seen.rbegin();
    EXPECT_EQ(temporary[0], '.');
    EXPECT_EQ(temporary.substr(temporary.size() - 4), ".tmp");

    EXPECT_EQ(QRSaveAsWMF(path.c_str()), 0);
  }
  EXPECT_EQ(FileText(path), "old");
  EXPECT_EQ(folder.Names(), std::set<std::string>{"20210706001.jpg"});

  // Without the fault the same call replaces the file.
  ASSERT_EQ(QRSaveAsBMP(path.c_str()), -1);
  EXPECT_EQ(qrtest::ReadFileBytes(path).size(), 62u + 28 * 200);
  EXPECT_EQ(folder.Names(), std::set<std::string>{"20210706001.jpg"});
}

TEST(WholeFile, FileSizeLimitLeavesNoPartialFile) {
  ScratchFolder folder;
  const std::string fresh = folder.Path("a.jpg"), old = folder.Path("b.jpg");
  std::ofstream(old, std::ios::binary) << "old";
  const pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    // Over the limit a write fails with EFBIG instead of killing the process.
    std::signal(SIGXFSZ, SIG_IGN);
    const rlimit limit{4096, 4096};
    setrlimit(RLIMIT_FSIZE, &limit);
    ApplicationRecipe("20210706001", 200, 200);  // 5,662 bytes
    int failures = 0;
    failures += QRSaveAsBMP(fresh.c_str()) == 0;
    failures += QRSaveAsBMP(old.c_str()) == 0;
    const std::vector<uint8_t> big(8192, 7);
    errno = 0;
    failures +=
        !qrplatform::WriteWholeFile(fresh.c_str(), {{big.data(), big.size()}}) && errno == EFBIG;
    _exit(failures);
  }
  int status = 0;
  ASSERT_EQ(waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 3) << "every write over the limit fails, with EFBIG";
  EXPECT_EQ(FileText(old), "old");
  EXPECT_EQ(folder.Names(), std::set<std::string>{"b.jpg"});
}

TEST(WholeFile, FolderUnderTheNameIsNeverReplacedOrRemoved) {
  ScratchFolder folder;
  const std::string empty = folder.Path("a.jpg");
  ASSERT_EQ(mkdir(empty.c_str(), 0777), 0);
  ApplicationRecipe("12", 64, 64);
  EXPECT_EQ(QRSaveAsBMP(empty.c_str()), 0);
  EXPECT_EQ(QRSaveAsWMF(empty.c_str()), 0);
  const uint8_t bytes[] = {1, 2, 3};
  errno = 0;
  EXPECT_FALSE(qrplatform::WriteWholeFile(empty.c_str(), {{bytes, sizeof bytes}}));
  EXPECT_EQ(errno, EISDIR);
  // A message that fits no symbol leaves a folder of that name alone.
  ApplicationRecipe(std::string(7090, '1').c_str(), 64, 64);
  EXPECT_EQ(QRSaveAsBMP(empty.c_str()), 0);
  EXPECT_EQ(QRSaveAsWMF(empty.c_str()), 0);
  EXPECT_TRUE(IsFolder(empty));
  EXPECT_EQ(folder.Names(), std::set<std::string>{"a.jpg"});
}

TEST(WholeFile, ProgramsEntryReplacesWholeAndKeepsLinksToTheOldBytes) {
  ScratchFolder folder;
  const std::string path = folder.Path("a.png"), other = folder.Path("other");
  std::ofstream(path, std::ios::binary) << "old";
  ASSERT_EQ(link(path.c_str(), other.c_str()), 0);
  const std::string head = "head", body(10000, 'b'), tail = "tail";
  ASSERT_TRUE(qrplatform::WriteWholeFile(
      path.c_str(),
      {{head.data(), head.size()}, {body.data(), body.size()}, {tail.data(), tail.size()}}));
  EXPECT_EQ(FileText(path), head + body + tail);
  EXPECT_EQ(FileText(other), "old");
  EXPECT_EQ(folder.Names(), (std::set<std::string>{"a.png", "other"}));
  // A folder that does not exist: false, and the system's reason.
  errno = 0;
  EXPECT_FALSE(qrplatform::WriteWholeFile(folder.Path("missing/a.png").c_str(),
                                          {{head.data(), head.size()}}));
  EXPECT_EQ(errno, ENOENT);
}

}  // namespace
