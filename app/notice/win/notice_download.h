#pragma once
// Fetching the notice and the logo with WinINet, bounded in time.
#include <windows.h>

#include "notice_addresses.h"
#include "read_notice.h"

namespace notice::win {

constexpr std::size_t kNoticeBodyCap = 64 * 1024;
constexpr std::size_t kLogoBodyCap = 1024 * 1024;
constexpr DWORD kNoticeTimeBoundMs = 5000;

// The addresses for this run: the built-in ones, or all three on the
// loopback test server named by QRBATCH_NOTICE_SERVER when that is set.
struct RunAddresses {
  NoticeAddresses addresses;
  bool loopbackTestServer = false;
};
RunAddresses NoticeAddressesForThisRun();

// Online test, notice GET and logo GET, one after another on a worker
// thread. WinINet's own time-outs do not hold everywhere, so the caller waits
// at most `boundMs` for all three and otherwise gives up as if offline; the
// abandoned thread finishes (or dies with the process) on its own.
NoticeDownload DownloadNoticeWithin(const RunAddresses &run, DWORD boundMs);

}  // namespace notice::win
