# zxing-cpp for the Windows build: Debian's own zxing-cpp source package,
# built as a static library with the mingw-w64 toolchain, its readers only
# (no writers, examples or tests: qrbatch.exe only reads its images back),
# kept in the machine's cache (WinLibCache.cmake). Provides the imported
# target qr_zxing; its licence is zxing-mingw/install/licences/LICENSE.
# QR_ZXING_SOURCE_DIR may name an unpacked source tree to use instead of
# fetching one with `apt-get source` (built in this tree only).
include(WinLibCache)
set(QR_ZXING_SOURCE_DIR "" CACHE PATH "Unpacked zxing-cpp source tree (empty: apt-get source zxing-cpp)")

set(_zxing_prefix ${CMAKE_BINARY_DIR}/zxing-mingw)
set(_zxing_install ${_zxing_prefix}/install)
if(QR_ZXING_SOURCE_DIR)
  set(_zxing_source SOURCE_DIR ${QR_ZXING_SOURCE_DIR} DOWNLOAD_COMMAND "")
  set(_zxing_cached UNCACHED)
else()
  set(_zxing_source
    SOURCE_DIR ${_zxing_prefix}/src/zxing-cpp
    DOWNLOAD_COMMAND bash ${CMAKE_SOURCE_DIR}/scripts/fetch-zxing-source.sh ${_zxing_prefix}/src/zxing-cpp)
  set(_zxing_cached)
endif()
# The source package the fetch takes is the one the installed libzxing-dev
# was built from.
qr_debian_version(_zxing_version libzxing-dev)
qr_winlib(zxing_mingw VERSION ${_zxing_version} ${_zxing_cached}
  RECIPE ${CMAKE_CURRENT_LIST_FILE} ${CMAKE_SOURCE_DIR}/scripts/fetch-zxing-source.sh
         ${CMAKE_SOURCE_DIR}/scripts/enable-deb-src.sh
  INSTALL_DIR ${_zxing_install}
  BYPRODUCTS ${_zxing_install}/lib/libZXing.a
  KEEP LICENSE
  EXTERNAL
    PREFIX ${_zxing_prefix}
    ${_zxing_source}
    UPDATE_COMMAND ""
    CMAKE_ARGS
      -DCMAKE_TOOLCHAIN_FILE=${CMAKE_TOOLCHAIN_FILE}
      -DCMAKE_BUILD_TYPE=Release
      -DCMAKE_INSTALL_PREFIX=${_zxing_install}
      -DBUILD_SHARED_LIBS=OFF
      -DBUILD_READERS=ON -DBUILD_WRITERS=OFF
      -DBUILD_EXAMPLES=OFF -DBUILD_BLACKBOX_TESTS=OFF -DBUILD_UNIT_TESTS=OFF
      -DBUILD_PYTHON_MODULE=OFF -DBUILD_DEPENDENCIES=LOCAL)

file(MAKE_DIRECTORY ${_zxing_install}/include)
add_library(qr_zxing STATIC IMPORTED GLOBAL)
set_target_properties(qr_zxing PROPERTIES
  IMPORTED_LOCATION ${_zxing_install}/lib/libZXing.a
  INTERFACE_INCLUDE_DIRECTORIES ${_zxing_install}/include)
add_dependencies(qr_zxing zxing_mingw)
