# Cross-builds the Windows half (QRCodeWin32.dll, the programs and the Windows
# test programs) with mingw-w64 into <build>/windows, when the cross compiler
# is installed. Tests that need it run it under Wine. Its install rules lay
# out the Windows zip in <build>/windows/package-root (cleared first, so no
# file dropped from the rules lingers), which the native package step packs.
find_program(QR_MINGW_CXX i686-w64-mingw32-g++)
option(QR_WINDOWS_BUILD "Cross-build the Windows binaries with mingw-w64" ON)
set(QR_WINDOWS_DIR ${CMAKE_BINARY_DIR}/windows)
set(QR_WINDOWS_PACKAGE_ROOT ${QR_WINDOWS_DIR}/package-root)
if(QR_WINDOWS_BUILD AND QR_MINGW_CXX AND NOT QR_SANITIZE)
  include(ExternalProject)
  # The machine's cache of the libraries built from Debian's sources
  # (WinLibCache.cmake): its default, unless given here.
  set(winlib_cache)
  if(DEFINED QR_WINLIB_CACHE)
    set(winlib_cache "-DQR_WINLIB_CACHE=${QR_WINLIB_CACHE}")
  endif()
  ExternalProject_Add(windows
    SOURCE_DIR ${CMAKE_SOURCE_DIR}
    BINARY_DIR ${QR_WINDOWS_DIR}
    CMAKE_ARGS
      -DCMAKE_TOOLCHAIN_FILE=${CMAKE_SOURCE_DIR}/cmake/toolchain-mingw-i686.cmake
      -DCMAKE_BUILD_TYPE=Release
      -DQR_WERROR=${QR_WERROR}
      -DQR_WINDOWS_VERIFY=${QR_WINDOWS_VERIFY}
      "-DQR_COMPANY_NAME=${QR_COMPANY_NAME}"
      -DQR_NOTICE_URL=${QR_NOTICE_URL}
      -DQR_LOGO_URL=${QR_LOGO_URL}
      -DQR_ONLINE_TEST_URL=${QR_ONLINE_TEST_URL}
      ${winlib_cache}
    INSTALL_COMMAND ${CMAKE_COMMAND} -E rm -rf ${QR_WINDOWS_PACKAGE_ROOT}
            COMMAND ${CMAKE_COMMAND} --install ${QR_WINDOWS_DIR} --prefix ${QR_WINDOWS_PACKAGE_ROOT} --strip
    BUILD_ALWAYS ON
    USES_TERMINAL_BUILD ON)
  set(QR_HAVE_WINDOWS_BUILD ON)
else()
  set(QR_HAVE_WINDOWS_BUILD OFF)
  message(STATUS "Windows cross build disabled (mingw-w64 missing, sanitizer build, or QR_WINDOWS_BUILD=OFF)")
endif()
