#pragma once
// Which redirects the notice's downloads follow. The notice comes over plain
// HTTP, so whoever sits on the network path can answer with a redirect: only
// one to the same host is followed (same scheme and port, or the upgrade
// from http to https), a few in a row at most. Anything else ends the
// download as failed, which shows no notice, as when offline.
#include <optional>
#include <string>
#include <string_view>
#include <utility>

namespace notice {

constexpr int kMaxRedirects = 5;

// 301, 302, 303, 307 and 308: the answers that name another address.
bool IsRedirectStatus(int status);

// The absolute address a redirect from `from` to `location` (its Location
// header, absolute or relative, resolved as RFC 3986 section 5.2 says; a
// fragment is dropped) leads to, when a download may follow it. Nothing
// when it leads to another host, from https down to http, to another port
// of the same scheme, to userinfo, or to anything but a plain http(s)
// address (IsWebAddress).
std::optional<std::string> RedirectTarget(std::string_view from, std::string_view location);

// One download's way through redirects: ask Address(), report the answer.
class RedirectChain {
 public:
  enum class Step {
    kFinal,    // the answer is the download's: read its body
    kFollow,   // ask the new Address()
    kRefused,  // the download failed
  };

  explicit RedirectChain(std::string address) : address_(std::move(address)) {}
  const std::string &Address() const { return address_; }
  Step Answer(int status, std::string_view location);

 private:
  std::string address_;
  int redirects_ = 0;
};

}  // namespace notice
