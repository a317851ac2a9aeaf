#include "batch_file_name.h"

#include <gtest/gtest.h>

#include "gbk_text.h"

namespace batch {
namespace {

std::string PathOf(const std::string &folder, const std::string &line, char separator = '\\') {
  const BatchFileName name = MakeBatchFileName(folder, line, separator);
  EXPECT_EQ(name.fault, NameFault::kNone) << line;
  return name.path;
}

NameFault FaultOf(const std::string &line) {
  const BatchFileName name = MakeBatchFileName("D:\\out", line);
  if (name.fault != NameFault::kNone) {
    EXPECT_TRUE(name.path.empty());
  }
  return name.fault;
}

TEST(BatchFileName, FolderSeparatorLineAndExtension) {
  EXPECT_EQ(PathOf("D:\\out", "20210706001"), "D:\\out\\20210706001.jpg");
  EXPECT_EQ(PathOf("D:\\out", ""), "D:\\out\\.jpg");
  EXPECT_EQ(PathOf("D:\\out", " x "), "D:\\out\\ x .jpg");
  EXPECT_EQ(PathOf("D:\\", "a"), "D:\\\\a.jpg");  // doubled, as Windows accepts
  EXPECT_EQ(PathOf("D:\\out", qrtext::ToGbk("测试数据")),
            "D:\\out\\" + qrtext::ToGbk("测试数据") + ".jpg");
  EXPECT_EQ(PathOf("D:\\out", ".."), "D:\\out\\...jpg");  // a file, not a folder
  EXPECT_EQ(PathOf("D:\\out", "a.b"), "D:\\out\\a.b.jpg");
}

TEST(BatchFileName, SubFolderOfTheDestinationIsAllowed) {
  EXPECT_EQ(PathOf("D:\\out", "sub\\x"), "D:\\out\\sub\\x.jpg");
  EXPECT_EQ(PathOf("D:\\out", "sub/x"), "D:\\out\\sub/x.jpg");
  EXPECT_EQ(PathOf("D:\\out", ".\\x"), "D:\\out\\.\\x.jpg");
  // POSIX: backslashes become slashes so the same lines reach the same files.
  EXPECT_EQ(PathOf("/tmp/out", "sub\\x", '/'), "/tmp/out/sub/x.jpg");
}

TEST(BatchFileName, GbkTrailBytesAreNoSeparators) {
  // 0x5C and 0x7C are valid trail bytes ('\' and '|' in ASCII).
  const std::string withBackslashTrail =
      "\x81\x5C"
      "a";
  EXPECT_EQ(PathOf("/o", withBackslashTrail, '/'), "/o/" + withBackslashTrail + ".jpg");
  const std::string withBarTrail = "\x81\x7C";
  EXPECT_EQ(PathOf("D:\\out", withBarTrail), "D:\\out\\" + withBarTrail + ".jpg");
  // ... and cannot hide a real separator that follows.
  EXPECT_EQ(FaultOf("\x81\x5C\\..\\..\\x"), NameFault::kOutsideFolder);
  // A byte that cannot end a double-byte character stays what it is.
  EXPECT_EQ(FaultOf("\xB0:x"), NameFault::kInvalidName);
  EXPECT_EQ(PathOf("D:\\out", "\xB0\\..\\x"), "D:\\out\\\xB0\\..\\x.jpg");  // B0 5C: one character
  EXPECT_EQ(FaultOf("\xB0/../x"), NameFault::kOutsideFolder);
  EXPECT_EQ(PathOf("/o", "\xE6\xB5\x8B/x", '/'), "/o/\xE6\xB5\x8B/x.jpg");  // UTF-8 测
  EXPECT_EQ(PathOf("D:\\out", "\x80\xFF"), "D:\\out\\\x80\xFF.jpg");
}

TEST(BatchFileName, NamesLeadingOutOfTheFolderAreRefused) {
  EXPECT_EQ(FaultOf("..\\x"), NameFault::kOutsideFolder);
  EXPECT_EQ(FaultOf("../x"), NameFault::kOutsideFolder);
  EXPECT_EQ(FaultOf("sub\\..\\..\\x"), NameFault::kOutsideFolder);
  EXPECT_EQ(FaultOf("...\\x"), NameFault::kOutsideFolder);
  EXPECT_EQ(FaultOf(".. \\x"), NameFault::kOutsideFolder);
  EXPECT_EQ(FaultOf("\\Windows\\x"), NameFault::kOutsideFolder);
  EXPECT_EQ(FaultOf("/etc/x"), NameFault::kOutsideFolder);
  EXPECT_EQ(MakeBatchFileName("", "a").fault, NameFault::kOutsideFolder);
}

TEST(BatchFileName, NamesWindowsWouldNotStoreAsOrdinaryFiles) {
  EXPECT_EQ(FaultOf("C:x"), NameFault::kInvalidName);  // drive-relative
  EXPECT_EQ(FaultOf("C:\\x"), NameFault::kInvalidName);
  EXPECT_EQ(FaultOf("a:stream"), NameFault::kInvalidName);
  for (const char *line : {"CON", "con", "Prn", "AUX", "NUL", "COM1", "com9", "LPT1", "lpt9",
                           "CON.txt", "nul.tar", "CON ", "sub\\AUX", "COM1\\x", "CONIN$"}) {
    EXPECT_EQ(FaultOf(line), NameFault::kInvalidName) << line;
  }
  for (const char *line : {"a*b", "a?", "\"q\"", "<a>", "a|b", "tab\there", "x\r"}) {
    EXPECT_EQ(FaultOf(line), NameFault::kInvalidName) << line;
  }
  EXPECT_EQ(FaultOf(std::string("a\0b", 3)), NameFault::kInvalidName);
}

TEST(BatchFileName, NamesThatOnlyLookLikeDevices) {
  for (const char *line :
       {"CONSOLE", "COM", "COM0", "COM10", "LPT", "AUXX", "xCON", "NUL_1", "CON_", "a.CON"}) {
    EXPECT_EQ(FaultOf(line), NameFault::kNone) << line;
  }
}

}  // namespace
}  // namespace batch
