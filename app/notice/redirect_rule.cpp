#include "redirect_rule.h"

#include <cctype>

#include "web_address.h"

namespace notice {
namespace {

constexpr std::string_view kHttp = "http";
constexpr std::string_view kHttps = "https";

std::string Lowercase(std::string_view text) {
  std::string lower(text);
  for (char &c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return lower;
}

bool StartsWith(std::string_view text, std::string_view prefix) {
  return text.substr(0, prefix.size()) == prefix;
}

// An absolute http(s) address in its parts; the fragment is dropped.
struct Address {
  std::string scheme;     // lowercase
  std::string authority;  // as written
  std::string host;       // lowercase
  int port = 0;           // the scheme's default when none is written
  std::string path;
  std::string query;  // with its "?", or empty

  std::string Text() const { return scheme + "://" + authority + path + query; }
};

std::string_view WithoutFragment(std::string_view text) { return text.substr(0, text.find('#')); }

// Splits "path?query".
void SplitPathAndQuery(std::string_view text, Address &address) {
  const std::size_t question = text.find('?');
  address.path = std::string(text.substr(0, question));
  address.query = question == std::string_view::npos ? "" : std::string(text.substr(question));
}

bool ReadPort(std::string_view text, int &port) {
  if (text.empty()) return true;  // "host:" keeps the default
  if (text.size() > 5) return false;
  port = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return false;
    port = port * 10 + (c - '0');
  }
  return port > 0 && port <= 65535;
}

// The host and port of an authority; userinfo is refused, since it only
// ever serves to make one host look like another.
bool ReadAuthority(std::string_view authority, Address &address) {
  if (authority.find('@') != std::string_view::npos) return false;
  std::size_t hostEnd = authority.rfind(':');
  if (!authority.empty() && authority.front() == '[') {  // an IPv6 literal
    const std::size_t bracket = authority.find(']');
    if (bracket == std::string_view::npos) return false;
    hostEnd = bracket + 1 < authority.size() ? bracket + 1 : std::string_view::npos;
    if (hostEnd != std::string_view::npos && authority[hostEnd] != ':') return false;
  }
  address.host = Lowercase(authority.substr(0, hostEnd));
  address.port = address.scheme == kHttps ? 443 : 80;
  if (hostEnd != std::string_view::npos && !ReadPort(authority.substr(hostEnd + 1), address.port))
    return false;
  address.authority = std::string(authority);
  return !address.host.empty();
}

std::optional<Address> ParseAbsolute(std::string_view text) {
  text = WithoutFragment(text);
  const std::size_t separator = text.find("://");
  if (separator == std::string_view::npos) return std::nullopt;
  Address address;
  address.scheme = Lowercase(text.substr(0, separator));
  if (address.scheme != kHttp && address.scheme != kHttps) return std::nullopt;
  const std::string_view rest = text.substr(separator + 3);
  const std::size_t authorityEnd = rest.find_first_of("/?");
  if (!ReadAuthority(rest.substr(0, authorityEnd), address)) return std::nullopt;
  if (authorityEnd != std::string_view::npos) SplitPathAndQuery(rest.substr(authorityEnd), address);
  return address;
}

// "scheme:" at the start, as RFC 3986 section 3.1 spells a scheme.
bool HasScheme(std::string_view reference) {
  const std::size_t colon = reference.find(':');
  if (colon == std::string_view::npos || colon == 0) return false;
  if (!std::isalpha(static_cast<unsigned char>(reference[0]))) return false;
  for (char c : reference.substr(0, colon)) {
    if (!std::isalnum(static_cast<unsigned char>(c)) && c != '+' && c != '-' && c != '.')
      return false;
  }
  return true;
}

void RemoveLastSegment(std::string &output) {
  const std::size_t slash = output.rfind('/');
  output.erase(slash == std::string::npos ? 0 : slash);
}

// RFC 3986 section 5.2.4.
std::string RemoveDotSegments(std::string_view input) {
  std::string output;
  while (!input.empty()) {
    if (StartsWith(input, "../")) {
      input.remove_prefix(3);
    } else if (StartsWith(input, "./") || StartsWith(input, "/./")) {
      input.remove_prefix(2);
    } else if (input == "/.") {
      input = "/";
    } else if (StartsWith(input, "/../")) {
      input.remove_prefix(3);
      RemoveLastSegment(output);
    } else if (input == "/..") {
      input = "/";
      RemoveLastSegment(output);
    } else if (input == "." || input == "..") {
      input = {};
    } else {
      const std::size_t next = input.find('/', 1);
      const std::size_t length = next == std::string_view::npos ? input.size() : next;
      output.append(input.substr(0, length));
      input.remove_prefix(length);
    }
  }
  return output;
}

// RFC 3986 section 5.2.3.
std::string MergePaths(const Address &base, std::string_view relative) {
  if (base.path.empty()) return "/" + std::string(relative);
  return base.path.substr(0, base.path.rfind('/') + 1) + std::string(relative);
}

// RFC 3986 section 5.2.2, for a base that is an absolute http(s) address.
std::optional<Address> Resolve(const Address &base, std::string_view reference) {
  reference = WithoutFragment(reference);
  if (HasScheme(reference)) return ParseAbsolute(reference);
  if (StartsWith(reference, "//")) return ParseAbsolute(base.scheme + ":" + std::string(reference));
  Address target = base;
  if (reference.empty()) return target;
  if (reference.front() == '?') {
    target.query = std::string(reference);
    return target;
  }
  SplitPathAndQuery(reference, target);
  target.path =
      RemoveDotSegments(target.path.front() == '/' ? target.path : MergePaths(base, target.path));
  return target;
}

bool MayFollow(const Address &from, const Address &to) {
  if (from.host != to.host) return false;
  if (from.scheme == to.scheme) return from.port == to.port;
  return from.scheme == kHttp && to.scheme == kHttps;
}

}  // namespace

bool IsRedirectStatus(int status) {
  return status == 301 || status == 302 || status == 303 || status == 307 || status == 308;
}

std::optional<std::string> RedirectTarget(std::string_view from, std::string_view location) {
  const std::optional<Address> base = ParseAbsolute(from);
  if (!base) return std::nullopt;
  const std::optional<Address> target = Resolve(*base, location);
  if (!target || !MayFollow(*base, *target)) return std::nullopt;
  std::string text = target->Text();
  if (!IsWebAddress(text)) return std::nullopt;
  return text;
}

RedirectChain::Step RedirectChain::Answer(int status, std::string_view location) {
  if (!IsRedirectStatus(status)) return Step::kFinal;
  if (redirects_ == kMaxRedirects) return Step::kRefused;
  std::optional<std::string> next = RedirectTarget(address_, location);
  if (!next) return Step::kRefused;
  address_ = std::move(*next);
  ++redirects_;
  return Step::kFollow;
}

}  // namespace notice
