#include "notice_addresses.h"

#include <gtest/gtest.h>

using notice::NoticeAddresses;
using notice::OnLoopbackServer;

namespace {
const NoticeAddresses kPublisher{"http://probe.example/", "http://notice.example/1.html",
                                 "https://www.example/static/image/common/logo.png"};
}

TEST(NoticeAddresses, BuiltInAddressesHaveTheFixedPaths) {
  const NoticeAddresses built = notice::BuiltInNoticeAddresses();
  EXPECT_EQ(notice::PathOfAddress(built.notice), "/1.html");
  EXPECT_EQ(notice::PathOfAddress(built.logo), "/static/image/common/logo.png");
  EXPECT_EQ(built.notice.rfind("http://", 0), 0u);
}

TEST(NoticeAddresses, ALoopbackServerTakesOverEveryAddressKeepingPaths) {
  const auto moved = OnLoopbackServer(kPublisher, "http://127.0.0.1:8123");
  ASSERT_TRUE(moved);
  EXPECT_EQ(moved->onlineTest, "http://127.0.0.1:8123/");
  EXPECT_EQ(moved->notice, "http://127.0.0.1:8123/1.html");
  EXPECT_EQ(moved->logo, "http://127.0.0.1:8123/static/image/common/logo.png");
  EXPECT_EQ(OnLoopbackServer(kPublisher, "http://localhost/")->notice, "http://localhost/1.html");
}

TEST(NoticeAddresses, AnythingButAPlainLoopbackServerIsRefused) {
  for (const char *server :
       {"", "http://evil.example", "http://127.0.0.1.evil.example", "https://127.0.0.1",
        "http://127.0.0.1:80/x", "http://127.0.0.1:abc", "http://127.0.0.1@evil.example",
        "ftp://127.0.0.1", "http://10.0.0.1:80"}) {
    EXPECT_FALSE(OnLoopbackServer(kPublisher, server)) << server;
  }
}
