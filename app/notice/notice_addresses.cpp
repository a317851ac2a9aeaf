#include "notice_addresses.h"

namespace notice {
namespace {

bool IsPortText(std::string_view text) {
  if (text.empty() || text.size() > 5) return false;
  for (char c : text) {
    if (c < '0' || c > '9') return false;
  }
  return true;
}

bool IsLoopbackServer(std::string_view server) {
  constexpr std::string_view kScheme = "http://";
  if (server.substr(0, kScheme.size()) != kScheme) return false;
  std::string_view hostPort = server.substr(kScheme.size());
  if (!hostPort.empty() && hostPort.back() == '/') hostPort.remove_suffix(1);
  const std::size_t colon = hostPort.find(':');
  const std::string_view host = hostPort.substr(0, colon);
  if (host != "127.0.0.1" && host != "localhost") return false;
  return colon == std::string_view::npos || IsPortText(hostPort.substr(colon + 1));
}

}  // namespace

NoticeAddresses BuiltInNoticeAddresses() {
  return {QR_ONLINE_TEST_URL, QR_NOTICE_URL, QR_LOGO_URL};
}

std::string PathOfAddress(std::string_view address) {
  const std::size_t scheme = address.find("://");
  const std::size_t hostStart = scheme == std::string_view::npos ? 0 : scheme + 3;
  const std::size_t path = address.find('/', hostStart);
  return path == std::string_view::npos ? std::string("/") : std::string(address.substr(path));
}

std::optional<NoticeAddresses> OnLoopbackServer(const NoticeAddresses &addresses,
                                                std::string_view server) {
  if (!IsLoopbackServer(server)) return std::nullopt;
  if (server.back() == '/') server.remove_suffix(1);
  const std::string base(server);
  return NoticeAddresses{base + PathOfAddress(addresses.onlineTest),
                         base + PathOfAddress(addresses.notice),
                         base + PathOfAddress(addresses.logo)};
}

}  // namespace notice
