// Fetches through the notice's downloader with QRBATCH_NOTICE_SERVER set by
// the calling script, and checks what came back:
//   notice_download_test online NOTICE_BYTES LOGO_BYTES  (-1: empty body)
//   notice_download_test offline MAX_MS
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "notice_check.h"
#include "notice_download.h"

using notice_check::Check;

int main(int argc, char **argv) {
  if (argc < 3) {
    std::printf("usage: notice_download_test online NOTICE LOGO | offline MAX_MS\n");
    return 2;
  }
  const notice::win::RunAddresses run = notice::win::NoticeAddressesForThisRun();
  Check(run.loopbackTestServer, "the test server takes over the addresses");
  std::printf("notice address %s\n", run.addresses.notice.c_str());

  const DWORD started = GetTickCount();
  const notice::NoticeDownload download =
      notice::win::DownloadNoticeWithin(run, notice::win::kNoticeTimeBoundMs);
  const DWORD elapsed = GetTickCount() - started;
  std::printf("online %d, notice %u bytes, logo %u bytes, %lu ms\n", download.online,
              static_cast<unsigned>(download.notice.size()),
              static_cast<unsigned>(download.logo.size()), static_cast<unsigned long>(elapsed));

  if (std::strcmp(argv[1], "online") == 0 && argc >= 4) {
    const long notice = std::atol(argv[2]);
    const long logo = std::atol(argv[3]);
    Check(download.online, "online");
    Check(static_cast<long>(download.notice.size()) == (notice < 0 ? 0 : notice),
          "notice body size");
    Check(static_cast<long>(download.logo.size()) == (logo < 0 ? 0 : logo), "logo body size");
  } else if (std::strcmp(argv[1], "offline") == 0) {
    Check(!download.online, "counted as offline");
    Check(download.notice.empty() && download.logo.empty(), "nothing fetched");
    Check(elapsed <= static_cast<DWORD>(std::atol(argv[2])), "within the time bound");
  } else {
    std::printf("unknown mode %s\n", argv[1]);
    return 2;
  }
  return notice_check::failures;
}
