# libpng for the Windows build: Debian's own libpng1.6 source package, built
# as a static library with the mingw-w64 toolchain against Debian's mingw
# zlib (libz-mingw-w64-dev), kept in the machine's cache (WinLibCache.cmake).
# Provides the imported target qr_png; its licence is
# libpng-mingw/install/licences/LICENSE. QR_LIBPNG_SOURCE_DIR may name an
# unpacked source tree to use instead of fetching one with `apt-get source`
# (built in this tree only).
include(WinLibCache)
set(QR_LIBPNG_SOURCE_DIR "" CACHE PATH "Unpacked libpng source tree (empty: apt-get source libpng1.6)")
find_library(QR_MINGW_ZLIB NAMES libz.a z REQUIRED)
find_path(QR_MINGW_ZLIB_INCLUDE zlib.h REQUIRED)

set(_png_prefix ${CMAKE_BINARY_DIR}/libpng-mingw)
set(_png_install ${_png_prefix}/install)
if(QR_LIBPNG_SOURCE_DIR)
  set(_png_source SOURCE_DIR ${QR_LIBPNG_SOURCE_DIR} DOWNLOAD_COMMAND "")
  set(_png_cached UNCACHED)
else()
  set(_png_source
    SOURCE_DIR ${_png_prefix}/src/libpng
    DOWNLOAD_COMMAND bash ${CMAKE_SOURCE_DIR}/scripts/fetch-libpng-source.sh ${_png_prefix}/src/libpng)
  set(_png_cached)
endif()
# The source package the fetch takes is the one the installed libpng-dev
# was built from.
qr_debian_version(_png_version libpng-dev)
qr_winlib(libpng_mingw VERSION ${_png_version} ${_png_cached}
  RECIPE ${CMAKE_CURRENT_LIST_FILE} ${CMAKE_SOURCE_DIR}/scripts/fetch-libpng-source.sh
         ${CMAKE_SOURCE_DIR}/scripts/enable-deb-src.sh ${QR_MINGW_ZLIB}
  INSTALL_DIR ${_png_install}
  BYPRODUCTS ${_png_install}/lib/libpng16.a
  KEEP LICENSE
  EXTERNAL
    PREFIX ${_png_prefix}
    ${_png_source}
    UPDATE_COMMAND ""
    CMAKE_ARGS
      -DCMAKE_TOOLCHAIN_FILE=${CMAKE_TOOLCHAIN_FILE}
      -DCMAKE_BUILD_TYPE=Release
      -DCMAKE_INSTALL_PREFIX=${_png_install}
      -DPNG_SHARED=OFF -DPNG_STATIC=ON -DPNG_TESTS=OFF -DPNG_EXECUTABLES=OFF
      -DZLIB_LIBRARY=${QR_MINGW_ZLIB}
      -DZLIB_INCLUDE_DIR=${QR_MINGW_ZLIB_INCLUDE}
      -DSKIP_INSTALL_EXECUTABLES=ON -DSKIP_INSTALL_PROGRAMS=ON -DSKIP_INSTALL_FILES=ON)

file(MAKE_DIRECTORY ${_png_install}/include)
add_library(qr_png STATIC IMPORTED GLOBAL)
set_target_properties(qr_png PROPERTIES
  IMPORTED_LOCATION ${_png_install}/lib/libpng16.a
  INTERFACE_INCLUDE_DIRECTORIES ${_png_install}/include
  INTERFACE_LINK_LIBRARIES ${QR_MINGW_ZLIB})
add_dependencies(qr_png libpng_mingw)
