#include "wininet_functions.h"

#include "late_bound_library.h"

namespace notice::win {

const WinInetFunctions &WinInet() {
  static const WinInetFunctions functions = [] {
    static qrplatform::LateBoundLibrary library("", "wininet.dll",
                                                qrplatform::LateBoundLibrary::Origin::kSystem);
    WinInetFunctions bound{};
    library.Bind(bound.getConnectedState, "InternetGetConnectedState");
    library.Bind(bound.open, "InternetOpenA");
    library.Bind(bound.openUrl, "InternetOpenUrlA");
    library.Bind(bound.queryInfo, "HttpQueryInfoA");
    library.Bind(bound.readFile, "InternetReadFile");
    library.Bind(bound.closeHandle, "InternetCloseHandle");
    return bound;
  }();
  return functions;
}

}  // namespace notice::win
