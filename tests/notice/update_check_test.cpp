#include "update_check.h"

#include <gtest/gtest.h>

#include "gbk_oracle.h"

using notice::IsNewerThanCurrent;
using notice::LeadingInteger;

TEST(UpdateCheck, LatestVersionCountsByItsLeadingInteger) {
  EXPECT_EQ(LeadingInteger("3"), 3);
  EXPECT_EQ(LeadingInteger("2.5"), 2);
  EXPECT_EQ(LeadingInteger("12abc"), 12);
  EXPECT_EQ(LeadingInteger("V3"), 0);
  EXPECT_EQ(LeadingInteger(" 3"), 0);
  EXPECT_EQ(LeadingInteger(""), 0);
  EXPECT_EQ(LeadingInteger(Gbk("三")), 0);
  EXPECT_EQ(LeadingInteger("99999999999999999999999999"), std::numeric_limits<long long>::max());
}

TEST(UpdateCheck, OnlyAVersionAboveTwoIsOffered) {
  EXPECT_TRUE(IsNewerThanCurrent("3"));
  EXPECT_TRUE(IsNewerThanCurrent("99999999999999999999999999"));
  EXPECT_FALSE(IsNewerThanCurrent("2"));
  EXPECT_FALSE(IsNewerThanCurrent("2.9"));
  EXPECT_FALSE(IsNewerThanCurrent("text"));
  EXPECT_FALSE(IsNewerThanCurrent(""));
}

TEST(UpdateCheck, MessageTextIsExact) {
  notice::NoticeInfo info;
  info.latestVersion = "3";
  info.changeLog = Gbk("修复若干问题");
  EXPECT_EQ(notice::UpdateMessageText(info), Gbk("检测到当前软件有更新，请前往【Quillmoor论坛】进行"
                                                 "下载更新\r\n\r\n当前版本：2.0\r\n最新版本：3.0"
                                                 "\r\n\r\n新版更新日志：\r\n修复若干问题"));
}
