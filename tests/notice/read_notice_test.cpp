#include "read_notice.h"

#include <gtest/gtest.h>

#include <map>

#include "gbk_oracle.h"

using notice::NoticeDownload;
using notice::NoticeInfo;
using notice::NoticeOutcome;

namespace {

// Records every effect as one line, so a test reads the whole story at once.
struct FakeSurface : notice::NoticeSurface {
  bool answerOk = false;
  std::vector<std::string> events;
  std::map<std::string, std::string> labels;

  void SetLabelText(const char *name, const std::string &text) override {
    labels[name] = text;
    events.push_back(std::string("label ") + name);
  }
  void SetWindowTitle(const std::string &title) override { events.push_back("title " + title); }
  void ShowLogo(const std::string &png) override {
    events.push_back("logo " + std::to_string(png.size()));
  }
  void ShowMessage(const std::string &caption, const std::string &text) override {
    events.push_back("message " + caption + "|" + text);
  }
  bool ConfirmOkCancel(const std::string &caption, const std::string &text) override {
    events.push_back("ask " + caption + "|" + text);
    return answerOk;
  }
  void OpenAddress(const std::string &address) override { events.push_back("open " + address); }
  void CloseMainWindow() override { events.push_back("close"); }
  std::uint32_t LinkColour() override { return 0; }
  void SetLinkColour(std::uint32_t colour) override {
    events.push_back("colour " + std::to_string(colour));
  }
};

NoticeDownload Online(const std::string &notice, const std::string &logo = "") {
  return {true, notice, logo};
}

std::string Notice(const std::string &latest, const std::string &flag,
                   const std::string &link = "http://bbs.example/t/7") {
  return "title=T|<br>ver=" + latest + "|<br>url=" + link + "|<br>who=A|<br>log=C|<br>must=" + flag;
}

const std::string kUpdateMessage =
    "message " + Gbk("信息：") + "|" +
    Gbk("检测到当前软件有更新，请前往【Quillmoor论坛】进行下载更新\r\n\r\n当前版本：2.0\r\n"
        "最新版本：3.0\r\n\r\n新版更新日志：\r\nC");
const std::string kAsk = "ask " + Gbk("是否更新") + "|" + Gbk("是否进行更新？？？");

}  // namespace

TEST(ReadNotice, NewerOptionalUpdateDeclinedKeepsRunningAndFillsThePanel) {
  FakeSurface surface;
  NoticeInfo info;
  EXPECT_EQ(notice::ReadNotice(Online(Notice("3", Gbk("假")), "PNG"), surface, info),
            NoticeOutcome::Shown);
  const std::vector<std::string> expected = {
      "logo 3",           "title T",          kUpdateMessage,     kAsk,
      "label 透明标签14", "label 透明标签15", "label 透明标签16", "label 透明标签17"};
  EXPECT_EQ(surface.events, expected);
  EXPECT_EQ(surface.labels["透明标签14"], "http://bbs.example/t/7" + Gbk("   （点击可跳转）"));
  EXPECT_EQ(surface.labels["透明标签16"], Gbk("软件最新版本：V3.0"));
  EXPECT_EQ(surface.labels["透明标签17"], Gbk("软件作者：A"));
  EXPECT_FALSE(info.mandatory);
}

TEST(ReadNotice, MandatoryUpdateDeclinedClosesWithoutOpening) {
  FakeSurface surface;
  NoticeInfo info;
  EXPECT_EQ(notice::ReadNotice(Online(Notice("3", Gbk("真"))), surface, info),
            NoticeOutcome::ProgramClosing);
  EXPECT_EQ(surface.events, (std::vector<std::string>{"title T", kUpdateMessage, kAsk, "close"}));
}

TEST(ReadNotice, AcceptedUpdateOpensTheLinkThenCloses) {
  FakeSurface surface;
  surface.answerOk = true;
  NoticeInfo info;
  EXPECT_EQ(notice::ReadNotice(Online(Notice("3", Gbk("假"))), surface, info),
            NoticeOutcome::ProgramClosing);
  EXPECT_EQ(surface.events, (std::vector<std::string>{"title T", kUpdateMessage, kAsk,
                                                      "open http://bbs.example/t/7", "close"}));
}

TEST(ReadNotice, AcceptedUpdateWithANonWebLinkOpensNothing) {
  FakeSurface surface;
  surface.answerOk = true;
  NoticeInfo info;
  notice::ReadNotice(Online(Notice("3", Gbk("假"), "C:\\Windows\\System32\\calc.exe")), surface,
                     info);
  EXPECT_EQ(surface.events.back(), "close");
  for (const std::string &event : surface.events) EXPECT_NE(event.rfind("open", 0), 0u) << event;
}

TEST(ReadNotice, CurrentOrNonNumericLatestVersionAsksNothing) {
  for (const std::string latest : {"2", "2.9", "beta", "0"}) {
    FakeSurface surface;
    NoticeInfo info;
    EXPECT_EQ(notice::ReadNotice(Online(Notice(latest, Gbk("真"))), surface, info),
              NoticeOutcome::Shown);
    EXPECT_EQ(surface.events.size(), 5u) << latest;
    EXPECT_EQ(surface.labels["透明标签16"], Gbk("软件最新版本：V") + latest + ".0");
  }
}

TEST(ReadNotice, OfflineTouchesNothing) {
  FakeSurface surface;
  NoticeInfo info;
  EXPECT_EQ(notice::ReadNotice(NoticeDownload{false, Notice("3", "x"), "PNG"}, surface, info),
            NoticeOutcome::Offline);
  EXPECT_TRUE(surface.events.empty());
  EXPECT_TRUE(info.link.empty());
}

TEST(ReadNotice, IncompleteNoticeStopsAfterWhatWasRead) {
  FakeSurface surface;
  NoticeInfo info;
  EXPECT_EQ(
      notice::ReadNotice(Online("t=Title|<br>v=9|<br>u=http://x/|<br>a=", "PNG"), surface, info),
      NoticeOutcome::Incomplete);
  EXPECT_EQ(surface.events, (std::vector<std::string>{"logo 3", "title Title"}));
  EXPECT_EQ(info.link, "http://x/");
}

TEST(ReadNotice, HostileBodiesShowNoPromptAndNoPanel) {
  std::string binary(4096, '\0');
  for (std::size_t i = 0; i < binary.size(); ++i) binary[i] = static_cast<char>(i * 37 + 11);
  for (const std::string &body :
       {std::string(), binary, std::string(10 * 1024 * 1024, 'x'), std::string("a=b")}) {
    FakeSurface surface;
    NoticeInfo info;
    EXPECT_EQ(notice::ReadNotice(Online(body), surface, info), NoticeOutcome::Incomplete);
    for (const std::string &event : surface.events)
      EXPECT_EQ(event.rfind("title", 0), 0u) << event.substr(0, 40);
  }
}
