#include "redirect_rule.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

using notice::kMaxRedirects;
using notice::RedirectChain;
using notice::RedirectTarget;
using Step = notice::RedirectChain::Step;

namespace {

constexpr char kNotice[] = "http://notice.example/a/b/1.html?x=1";

struct Case {
  const char *from;
  const char *location;
  std::optional<std::string> target;  // nothing: refused
};

// clang-format off
const Case kCases[] = {
  // Relative references, resolved as RFC 3986 section 5.4's examples do.
  {kNotice, "2.html",          "http://notice.example/a/b/2.html"},
  {kNotice, "./2.html",        "http://notice.example/a/b/2.html"},
  {kNotice, "../2.html",       "http://notice.example/a/2.html"},
  {kNotice, "../../../../2",   "http://notice.example/2"},
  {kNotice, "/c/./d/../2",     "http://notice.example/c/2"},
  {kNotice, "?y=2",            "http://notice.example/a/b/1.html?y=2"},
  {kNotice, "",                "http://notice.example/a/b/1.html?x=1"},
  {kNotice, "#top",            "http://notice.example/a/b/1.html?x=1"},
  {kNotice, "2.html?q=a=b#f",  "http://notice.example/a/b/2.html?q=a=b"},
  {kNotice, "//notice.example/n", "http://notice.example/n"},
  {"http://notice.example", "1.html", "http://notice.example/1.html"},
  // Absolute, same host: the host without case, the port the scheme's default.
  {kNotice, "http://NOTICE.example/new",     "http://NOTICE.example/new"},
  {kNotice, "HTTP://notice.example:80/new",  "http://notice.example:80/new"},
  {"http://127.0.0.1:8080/1.html", "/2.html", "http://127.0.0.1:8080/2.html"},
  {"http://[::1]:8080/1.html", "http://[::1]:8080/2", "http://[::1]:8080/2"},
  // The upgrade to https, any port.
  {kNotice, "https://notice.example/1.html",      "https://notice.example/1.html"},
  {kNotice, "https://notice.example:8443/1.html", "https://notice.example:8443/1.html"},
  // Another host, however it is written.
  {kNotice, "http://other.example/1.html",     std::nullopt},
  {kNotice, "//other.example/1.html",          std::nullopt},
  {kNotice, "http://notice.example.evil/",     std::nullopt},
  {kNotice, "http://notice.example@evil/",     std::nullopt},
  {kNotice, "http://user@notice.example/",     std::nullopt},
  {"http://127.0.0.1:8080/1.html", "http://localhost:8080/1.html", std::nullopt},
  // Down to http, another port of the same scheme, other schemes.
  {"https://notice.example/1.html", "http://notice.example/1.html", std::nullopt},
  {"https://notice.example/1.html", "/2.html",  "https://notice.example/2.html"},
  {kNotice, "http://notice.example:8080/",     std::nullopt},
  {kNotice, "ftp://notice.example/1.html",     std::nullopt},
  {kNotice, "file:///c:/windows/win.ini",      std::nullopt},
  {kNotice, "javascript:alert(1)",             std::nullopt},
  {kNotice, "http:2.html",                     std::nullopt},
  {kNotice, "http://notice.example:99999/",    std::nullopt},
  {kNotice, "http://notice.example:8o/",       std::nullopt},
  // Characters no address holds.
  {kNotice, "2.html\" --evil",                 std::nullopt},
  {kNotice, "/a b",                            std::nullopt},
  {kNotice, "/a\r\nSet-Cookie: x",             std::nullopt},
  {kNotice, "http://notice.example\\@evil/",   std::nullopt},
  // A base that is no http(s) address follows nothing.
  {"notice.example/1.html", "/2.html",         std::nullopt},
};
// clang-format on

}  // namespace

TEST(NoticeRedirect, FollowsOnlyToTheSameHostAndNeverDownToHttp) {
  for (const Case &c : kCases) {
    EXPECT_EQ(RedirectTarget(c.from, c.location), c.target)
        << "from " << c.from << " to \"" << c.location << "\"";
  }
}

TEST(NoticeRedirect, AChainEndsAtTheFirstAnswerThatIsNoRedirect) {
  RedirectChain chain(kNotice);
  EXPECT_EQ(chain.Answer(302, "/2.html"), Step::kFollow);
  EXPECT_EQ(chain.Address(), "http://notice.example/2.html");
  EXPECT_EQ(chain.Answer(301, "https://notice.example/3.html"), Step::kFollow);
  EXPECT_EQ(chain.Address(), "https://notice.example/3.html");
  for (int status : {200, 204, 304, 300, 404, 500}) {
    EXPECT_EQ(RedirectChain(kNotice).Answer(status, "/elsewhere"), Step::kFinal) << status;
  }
  for (int status : {301, 302, 303, 307, 308}) {
    EXPECT_EQ(RedirectChain(kNotice).Answer(status, "http://other.example/"), Step::kRefused)
        << status;
    EXPECT_EQ(RedirectChain(kNotice).Answer(status, ""), Step::kFollow) << status;
  }
}

TEST(NoticeRedirect, ALoopEndsAfterTheCap) {
  RedirectChain chain(kNotice);
  int requests = 1;
  while (chain.Answer(302, "1.html") == Step::kFollow) ++requests;
  EXPECT_EQ(requests, kMaxRedirects + 1);
  EXPECT_EQ(chain.Answer(302, "1.html"), Step::kRefused);
}
