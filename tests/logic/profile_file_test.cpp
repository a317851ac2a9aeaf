#include "profile_file.h"

#include <gtest/gtest.h>

#include "gbk_text.h"
#include "memory_file_system.h"

namespace qrapp {
namespace {

class ProfileFileTest : public ::testing::Test {
 protected:
  ProfileFileTest() { files.folders.insert("C:\\brelvanto"); }
  std::string Content() { return files.files[kPath]; }

  static constexpr char kPath[] = "C:\\brelvanto\\Set.ini";
  testing::MemoryFileSystem files;
  ProfileFile profile{files, kPath};
};

TEST_F(ProfileFileTest, MissingFileOrKeyReadsEmpty) {
  EXPECT_EQ(profile.Read("preservation", "route"), "");
  files.files[kPath] = "";
  EXPECT_EQ(profile.Read("preservation", "route"), "");
  files.files[kPath] = "[other]\r\nroute=x\r\n";
  EXPECT_EQ(profile.Read("preservation", "route"), "");
}

TEST_F(ProfileFileTest, FirstWriteGivesSectionAndKeyLines) {
  files.files[kPath] = "";
  profile.Write("preservation", "route", "");
  EXPECT_EQ(Content(), "[preservation]\r\nroute=\r\n");
  profile.Write("preservation", "route", "D:\\out");
  EXPECT_EQ(Content(), "[preservation]\r\nroute=D:\\out\r\n");
  EXPECT_EQ(profile.Read("preservation", "route"), "D:\\out");
}

TEST_F(ProfileFileTest, ChineseValueRoundTripsAsGbkBytes) {
  const std::string folder = qrtext::ToGbk("D:\\二维码\\输出");
  profile.Write("preservation", "route", folder);
  EXPECT_EQ(Content(), "[preservation]\r\nroute=" + folder + "\r\n");
  EXPECT_EQ(profile.Read("preservation", "route"), folder);
}

TEST_F(ProfileFileTest, OtherSectionsAndKeysAreKept) {
  files.files[kPath] =
      "[a]\r\nk=1\r\n\r\n[Preservation]\r\nother=2\r\nROUTE=old\r\n[z]\r\nroute=z\r\n";
  profile.Write("preservation", "route", "new=value");
  EXPECT_EQ(Content(),
            "[a]\r\nk=1\r\n\r\n[Preservation]\r\nother=2\r\nroute=new=value\r\n"
            "[z]\r\nroute=z\r\n");
  EXPECT_EQ(profile.Read("PRESERVATION", "Route"), "new=value");
  EXPECT_EQ(profile.Read("z", "route"), "z");
  profile.Write("a", "j", "3");
  EXPECT_EQ(profile.Read("a", "j"), "3");
  EXPECT_EQ(profile.Read("a", "k"), "1");
}

TEST_F(ProfileFileTest, WriteIntoAMissingFolderFailsQuietly) {
  ProfileFile elsewhere(files, "E:\\nowhere\\Set.ini");
  elsewhere.Write("preservation", "route", "x");
  EXPECT_EQ(elsewhere.Read("preservation", "route"), "");
}

}  // namespace
}  // namespace qrapp
