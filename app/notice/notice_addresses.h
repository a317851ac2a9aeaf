#pragma once
// The publisher's addresses: build settings, which tests may point at a
// server on this machine.
#include <optional>
#include <string>
#include <string_view>

namespace notice {

struct NoticeAddresses {
  std::string onlineTest;  // a public address that answers when the computer is online
  std::string notice;      // plain HTTP, path "/1.html"
  std::string logo;        // path "/static/image/common/logo.png"
};

// The addresses this program was built with.
NoticeAddresses BuiltInNoticeAddresses();

// Environment variable naming a loopback test server ("http://127.0.0.1:PORT").
constexpr char kTestServerVariable[] = "QRBATCH_NOTICE_SERVER";

// All three addresses moved to `server`, each keeping its path. Only a plain
// HTTP loopback server (127.0.0.1 or localhost, optional port) is accepted;
// anything else gives nothing, so the variable cannot send the program to
// another host.
std::optional<NoticeAddresses> OnLoopbackServer(const NoticeAddresses &addresses,
                                                std::string_view server);

// The path part of an address ("/" when it has none).
std::string PathOfAddress(std::string_view address);

}  // namespace notice
