#include <gtest/gtest.h>

#include "clock_text.h"
#include "gbk_oracle.h"
#include "info_panel.h"
#include "web_address.h"

namespace {

struct RecordingLabels : notice::LabelWriter {
  std::vector<std::pair<std::string, std::string>> writes;
  void SetLabelText(const char *name, const std::string &text) override {
    writes.emplace_back(name, text);
  }
};

}  // namespace

TEST(InfoPanel, WritesTheFourCaptionsInOrder) {
  notice::NoticeInfo info;
  info.latestVersion = "3";
  info.link = "http://bbs.example/t/1";
  info.author = Gbk("作者甲");
  RecordingLabels labels;
  notice::ShowInfoPanel(labels, notice::currentVersion, info);
  const std::vector<std::pair<std::string, std::string>> expected = {
      {"透明标签14", "http://bbs.example/t/1" + Gbk("   （点击可跳转）")},
      {"透明标签15", Gbk("软件当前版本：V2.0")},
      {"透明标签16", Gbk("软件最新版本：V3.0")},
      {"透明标签17", Gbk("软件作者：作者甲")},
  };
  EXPECT_EQ(labels.writes, expected);
}

TEST(InfoPanel, LatestVersionIsShownAsRead) {
  notice::NoticeInfo info;
  info.latestVersion = "2.1";
  EXPECT_EQ(notice::MakeInfoPanelTexts(2, info).latestVersion, Gbk("软件最新版本：V2.1.0"));
  info.latestVersion = "";
  EXPECT_EQ(notice::MakeInfoPanelTexts(2, info).latestVersion, Gbk("软件最新版本：V.0"));
}

TEST(Clock, LabelTextJoinsCaptionDateAndTime) {
  // As GetDateFormatA/GetTimeFormatA write them in a Chinese locale.
  const std::string date = Gbk("2024/3/5 星期二");
  const std::string time = Gbk("下午 14:05:09");
  EXPECT_EQ(notice::ClockLabelText(date, time), Gbk("北京时间：2024/3/5 星期二下午 14:05:09"));
  EXPECT_EQ(notice::ClockLabelText("", ""), Gbk("北京时间："));
}

TEST(Clock, FormatBufferEndsAtItsZeroOrItsSize) {
  char buffer[50] = "2024/3/5";
  EXPECT_EQ(notice::TextOfFormatBuffer(buffer, sizeof buffer), "2024/3/5");
  char full[4] = {'a', 'b', 'c', 'd'};
  EXPECT_EQ(notice::TextOfFormatBuffer(full, sizeof full), "abcd");
}

TEST(Clock, LinkColourAlternatesBlueAndRed) {
  EXPECT_EQ(notice::NextLinkColour(notice::kLinkBlue), notice::kLinkRed);
  EXPECT_EQ(notice::NextLinkColour(notice::kLinkRed), notice::kLinkBlue);
  EXPECT_EQ(notice::NextLinkColour(0x123456), notice::kLinkBlue);
  EXPECT_EQ(notice::kLinkBlue, 0xFF0000u);
}

TEST(LinkFilter, OnlyHttpAndHttpsAddressesOpen) {
  for (const char *good :
       {"http://bbs.example/t/1", "https://bbs.example", "HTTP://BBS.EXAMPLE/", "hTtPs://x"}) {
    EXPECT_TRUE(notice::IsWebAddress(good)) << good;
  }
  for (const char *bad :
       {"", "http://", "https://", "http:///etc", "file:///C:/Windows/notepad.exe",
        "C:\\Windows\\System32\\calc.exe", "calc", "mailto:a@b", "ftp://x/", "javascript:alert(1)",
        " http://x", "http://x y", "http://x\r\n", "\\\\server\\share\\run.exe", "httpx://a"}) {
    EXPECT_FALSE(notice::IsWebAddress(bad)) << bad;
  }
}

TEST(LinkFilter, CharactersThatCouldSplitTheBrowsersCommandLineAreRefused) {
  // A quote would end the argument the shell builds; the rest are outside
  // what an address may hold.
  for (const char *bad : {"http://x/\" --kiosk file:///c:/", "http://x/\"", "http://x/<a>",
                          "http://x/^", "http://x/a|b", "http://x/`cmd`", "http://x\\y",
                          "http://x/{a}", "http://x/\t", "http://x/\x7f"}) {
    EXPECT_FALSE(notice::IsWebAddress(bad)) << bad;
  }
}

TEST(LinkFilter, EveryCharacterAnAddressMayHoldIsKept) {
  EXPECT_TRUE(notice::IsWebAddress(
      "https://user:pw@bbs.example:8080/a-b_c.d~e/f?g=h&i=j;k,l+m*n'o(p)!$#[::1]%20"));
  // GBK bytes of a Chinese path and query.
  EXPECT_TRUE(notice::IsWebAddress("http://bbs.example/\xcc\xfb\xd7\xd3?\xb2\xe2=\xca\xd4"));
  // The same in UTF-8.
  EXPECT_TRUE(notice::IsWebAddress("http://bbs.example/\xe5\xb8\x96\xe5\xad\x90"));
}
