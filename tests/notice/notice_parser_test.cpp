#include "notice_parser.h"

#include <gtest/gtest.h>

#include <random>

#include "gbk_oracle.h"

using notice::FieldValue;
using notice::NoticeInfo;
using notice::NoticeTextOfBody;
using notice::ReadNoticeFields;
using notice::SplitNoticeFields;
using Fields = std::vector<std::string>;

TEST(NoticeSplit, SeparatesAtEverySeparatorAndIgnoresATrailingOne) {
  EXPECT_EQ(SplitNoticeFields("a=1|<br>b=2|<br>c=3"), (Fields{"a=1", "b=2", "c=3"}));
  EXPECT_EQ(SplitNoticeFields("a=1|<br>b=2|<br>c=3|<br>"), (Fields{"a=1", "b=2", "c=3"}));
  EXPECT_EQ(SplitNoticeFields("a=1|<br>|<br>c=3"), (Fields{"a=1", "", "c=3"}));
  EXPECT_EQ(SplitNoticeFields(""), Fields{});
  EXPECT_EQ(SplitNoticeFields("no separators at all"), Fields{"no separators at all"});
  EXPECT_EQ(SplitNoticeFields("a|<b>|br>"), Fields{"a|<b>|br>"});
}

TEST(NoticeSplit, NeverMatchesAtTheSecondByteOfAGbkCharacter) {
  // 亅 is 0x81 0x7C in GBK: its second byte is the code of "|".
  const std::string hook = Gbk("亅");
  ASSERT_EQ(hook, "\x81|");
  const std::string text = "t=a" + hook + "<br>b|<br>v=3";
  EXPECT_EQ(SplitNoticeFields(text), (Fields{"t=a" + hook + "<br>b", "v=3"}));
  // A separator right after a complete double-byte character still counts.
  const std::string han = Gbk("标题");
  EXPECT_EQ(SplitNoticeFields("t=" + han + "|<br>v=3"), (Fields{"t=" + han, "v=3"}));
}

TEST(NoticeSplit, OnlyBytesFrom0x81OnLeadACharacter) {
  // 0x80 is no lead byte in code page 936: the separator after it counts.
  EXPECT_EQ(SplitNoticeFields("a=\x80|<br>b=1"), (Fields{"a=\x80", "b=1"}));
  // 0x81 and 0xFE are: each hides the "|" after it.
  EXPECT_EQ(SplitNoticeFields("a=\x81|<br>b=1"), (Fields{"a=\x81|<br>b=1"}));
  EXPECT_EQ(SplitNoticeFields("a=\xFE|<br>b=1"), (Fields{"a=\xFE|<br>b=1"}));
  EXPECT_EQ(SplitNoticeFields("a=\xFF|<br>b=1"), (Fields{"a=\xFF", "b=1"}));
}

TEST(NoticeSplit, KeepsALoneLeadByteAtTheEnd) {
  EXPECT_EQ(SplitNoticeFields("a=1|<br>b=\x81"), (Fields{"a=1", "b=\x81"}));
}

TEST(NoticeField, ValueLiesBetweenTheFirstAndSecondEquals) {
  EXPECT_EQ(FieldValue("title=Hello"), "Hello");
  EXPECT_EQ(FieldValue("anything=3"), "3");
  EXPECT_EQ(FieldValue("=3"), "3");
  EXPECT_EQ(FieldValue("log=fixed a=b bug"), "fixed a");
  EXPECT_EQ(FieldValue("x= spaced \r\n"), " spaced \r\n");
  EXPECT_EQ(FieldValue("x==y"), "");
}

TEST(NoticeField, NoEqualsOrNothingAfterItIsUnusable) {
  EXPECT_FALSE(FieldValue("no value"));
  EXPECT_FALSE(FieldValue("name="));
  EXPECT_FALSE(FieldValue(""));
}

TEST(NoticeBody, EndsAtTheFirstZeroByte) {
  EXPECT_EQ(NoticeTextOfBody(std::string("a=1|<br>b\0=2", 12)), "a=1|<br>b");
  EXPECT_EQ(NoticeTextOfBody("plain"), "plain");
}

TEST(NoticeFields, ReadsTheSixValuesByPositionWhateverTheirNames) {
  NoticeInfo info;
  const int read =
      ReadNoticeFields(SplitNoticeFields("x=T|<br>y=3|<br>z=L|<br>w=A|<br>v=C|<br>u=" + Gbk("真") +
                                         "|<br>extra=ignored"),
                       info);
  EXPECT_EQ(read, 6);
  EXPECT_EQ(info.title, "T");
  EXPECT_EQ(info.latestVersion, "3");
  EXPECT_EQ(info.link, "L");
  EXPECT_EQ(info.author, "A");
  EXPECT_EQ(info.changeLog, "C");
  EXPECT_TRUE(info.mandatory);
}

TEST(NoticeFields, TheLinkKeepsEverythingAfterItsFirstEquals) {
  // Query strings hold "=" of their own; the other fields still end at
  // their second "=".
  const std::pair<std::string, std::string> cases[] = {
      {"link=http://h/forum.php?mod=viewthread&tid=7", "http://h/forum.php?mod=viewthread&tid=7"},
      {"u=http://h/a?x=1&y==2=", "http://h/a?x=1&y==2="},
      {"u==", "="},
      {"u=http://h/plain", "http://h/plain"},
  };
  for (const auto &[field, link] : cases) {
    NoticeInfo info;
    ASSERT_EQ(
        ReadNoticeFields(
            SplitNoticeFields("t=T=x|<br>v=3|<br>" + field + "|<br>a=A=x|<br>c=C=x|<br>m=x"), info),
        6)
        << field;
    EXPECT_EQ(info.link, link);
    EXPECT_EQ(info.title, "T");
    EXPECT_EQ(info.author, "A");
    EXPECT_EQ(info.changeLog, "C");
  }
}

TEST(NoticeFields, OnlyTheExactTextZhenMakesAnUpdateMandatory) {
  for (const std::string &flag :
       {Gbk("假"), Gbk("真 "), Gbk(" 真"), std::string("1"), std::string("true"), Gbk("真真")}) {
    NoticeInfo info;
    ASSERT_EQ(ReadNoticeFields(
                  SplitNoticeFields("a=T|<br>a=3|<br>a=L|<br>a=A|<br>a=C|<br>a=" + flag), info),
              6);
    EXPECT_FALSE(info.mandatory) << flag;
  }
}

TEST(NoticeFields, StopsAtTheFirstUnusableFieldKeepingWhatWasRead) {
  NoticeInfo info;
  info.author = "layout";
  EXPECT_EQ(
      ReadNoticeFields(SplitNoticeFields("a=T|<br>b=3|<br>c=L|<br>broken|<br>e=C|<br>f=x"), info),
      3);
  EXPECT_EQ(info.title, "T");
  EXPECT_EQ(info.link, "L");
  EXPECT_EQ(info.author, "layout");
  EXPECT_EQ(info.changeLog, "");

  NoticeInfo few;
  EXPECT_EQ(ReadNoticeFields(SplitNoticeFields("a=T|<br>b=3"), few), 2);
  EXPECT_EQ(few.latestVersion, "3");
  EXPECT_FALSE(few.mandatory);
}

TEST(NoticeFields, HostileBodiesNeverGiveSixFields) {
  std::mt19937 random(7);
  std::string binary(64 * 1024, '\0');
  for (char &c : binary) c = static_cast<char>(random());
  std::string huge(10 * 1024 * 1024, 'A');
  const std::string bodies[] = {
      "", binary, huge, std::string(100000, '|'), "====", "|<br>|<br>|<br>|<br>|<br>|<br>"};
  for (const std::string &body : bodies) {
    NoticeInfo info;
    EXPECT_LT(ReadNoticeFields(SplitNoticeFields(NoticeTextOfBody(body)), info), 6);
  }
}
