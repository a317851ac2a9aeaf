#include "notice_download.h"

#include <cstdlib>
#include <optional>

#include "redirect_rule.h"
#include "wininet_functions.h"

namespace notice::win {
namespace {

class InternetHandle {
 public:
  explicit InternetHandle(HINTERNET handle) : handle_(handle) {}
  ~InternetHandle() {
    if (handle_) WinInet().closeHandle(handle_);
  }
  InternetHandle(const InternetHandle &) = delete;
  InternetHandle &operator=(const InternetHandle &) = delete;
  HINTERNET get() const { return handle_; }
  explicit operator bool() const { return handle_ != nullptr; }

 private:
  HINTERNET handle_;
};

// Redirects are never followed by WinINet, which would go to any host: the
// notice's RedirectChain decides.
constexpr DWORD kFreshRequest = INTERNET_FLAG_RELOAD | INTERNET_FLAG_NO_CACHE_WRITE |
                                INTERNET_FLAG_PRAGMA_NOCACHE | INTERNET_FLAG_NO_UI |
                                INTERNET_FLAG_NO_AUTO_REDIRECT;

HINTERNET OpenAddress(HINTERNET session, const std::string &address) {
  return WinInet().openUrl(session, address.c_str(), nullptr, 0, kFreshRequest, 0);
}

// Any answer at all, a redirect included, means online.
bool CanOpen(HINTERNET session, const std::string &address) {
  return static_cast<bool>(InternetHandle(OpenAddress(session, address)));
}

int StatusCode(HINTERNET request) {
  DWORD status = 0;
  DWORD size = sizeof status;
  const DWORD query = HTTP_QUERY_STATUS_CODE | HTTP_QUERY_FLAG_NUMBER;
  return WinInet().queryInfo(request, query, &status, &size, nullptr) ? static_cast<int>(status)
                                                                      : 0;
}

// The Location header, empty when there is none.
std::string Location(HINTERNET request) {
  std::string location(2048, '\0');
  DWORD size = static_cast<DWORD>(location.size());
  if (!WinInet().queryInfo(request, HTTP_QUERY_LOCATION, &location[0], &size, nullptr)) return {};
  location.resize(size);
  return location;
}

std::optional<std::string> ReadBody(HINTERNET request, std::size_t cap) {
  std::string body;
  char chunk[8192];
  for (;;) {
    DWORD got = 0;
    if (!WinInet().readFile(request, chunk, sizeof chunk, &got)) return std::nullopt;
    if (got == 0) return body;
    if (body.size() + got > cap) return std::nullopt;
    body.append(chunk, got);
  }
}

// The whole body of the final answer whatever its status code; nothing when
// a request fails, a redirect is refused, or the body grows past `cap`.
std::optional<std::string> GetBody(HINTERNET session, const std::string &address, std::size_t cap) {
  RedirectChain chain(address);
  for (;;) {
    InternetHandle request(OpenAddress(session, chain.Address()));
    if (!request) return std::nullopt;
    switch (chain.Answer(StatusCode(request.get()), Location(request.get()))) {
      case RedirectChain::Step::kFinal: return ReadBody(request.get(), cap);
      case RedirectChain::Step::kFollow: continue;
      case RedirectChain::Step::kRefused: return std::nullopt;
    }
  }
}

NoticeDownload DownloadNow(const RunAddresses &run) {
  NoticeDownload download;
  DWORD connection = 0;
  if (!WinInet().getConnectedState(&connection, 0)) return download;
  const DWORD access =
      run.loopbackTestServer ? INTERNET_OPEN_TYPE_DIRECT : INTERNET_OPEN_TYPE_PRECONFIG;
  InternetHandle session(WinInet().open("QRBatch", access, nullptr, nullptr, 0));
  if (!session || !CanOpen(session.get(), run.addresses.onlineTest)) return download;
  download.online = true;
  download.notice =
      GetBody(session.get(), run.addresses.notice, kNoticeBodyCap).value_or(std::string());
  download.logo = GetBody(session.get(), run.addresses.logo, kLogoBodyCap).value_or(std::string());
  return download;
}

// Shared by the waiting thread and the worker; whichever lets go last frees it.
struct DownloadJob {
  LONG references = 2;
  RunAddresses run;
  NoticeDownload result;
};

void Release(DownloadJob *job) {
  if (InterlockedDecrement(&job->references) == 0) delete job;
}

DWORD WINAPI DownloadThread(LPVOID parameter) {
  auto *job = static_cast<DownloadJob *>(parameter);
  job->result = DownloadNow(job->run);
  Release(job);
  return 0;
}

}  // namespace

RunAddresses NoticeAddressesForThisRun() {
  RunAddresses run{BuiltInNoticeAddresses(), false};
  if (const char *server = std::getenv(kTestServerVariable)) {
    if (auto moved = OnLoopbackServer(run.addresses, server)) run = {*moved, true};
  }
  return run;
}

NoticeDownload DownloadNoticeWithin(const RunAddresses &run, DWORD boundMs) {
  auto *job = new DownloadJob{2, run, {}};
  HANDLE thread = CreateThread(nullptr, 0, DownloadThread, job, 0, nullptr);
  if (!thread) {
    delete job;
    return {};
  }
  NoticeDownload download;
  if (WaitForSingleObject(thread, boundMs) == WAIT_OBJECT_0) download = std::move(job->result);
  CloseHandle(thread);
  Release(job);
  return download;
}

}  // namespace notice::win
