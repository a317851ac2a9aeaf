# cairo for the Windows build: Debian's pixman (0.42.2) and cairo (1.16.0)
# source packages built as static libraries with the mingw-w64 toolchain,
# cairo with its PDF surface and its win32 surface and font backend (no
# fontconfig, no FreeType), against Debian's mingw zlib and the libpng of
# MingwLibpng.cmake; both kept in the machine's cache (WinLibCache.cmake).
# Provides the imported target qr_cairo; the licences are in
# cairo-mingw/{pixman,cairo}/licences.
include(WinLibCache)
if(NOT TARGET libpng_mingw)
  include(MingwLibpng)
endif()

set(_cairo_prefix ${CMAKE_BINARY_DIR}/cairo-mingw)
set(_pixman_install ${_cairo_prefix}/pixman)
set(_cairo_install ${_cairo_prefix}/cairo)
set(_host i686-w64-mingw32)
get_filename_component(_mingw_bin ${CMAKE_C_COMPILER} DIRECTORY)
# The autotools builds find the cross tools by their prefix on PATH; pixman
# by its pkg-config file, wherever its folder was built (the cache moves it).
set(_env ${CMAKE_COMMAND} -E env "PATH=${_mingw_bin}:$ENV{PATH}"
  PKG_CONFIG_LIBDIR=${_pixman_install}/lib/pkgconfig "PKG_CONFIG=pkg-config --define-prefix")
set(_recipe ${CMAKE_CURRENT_LIST_FILE} ${CMAKE_SOURCE_DIR}/scripts/fetch-deb-source.sh
  ${CMAKE_SOURCE_DIR}/scripts/enable-deb-src.sh)

qr_winlib(pixman_mingw VERSION 0.42.2-1 RECIPE ${_recipe}
  INSTALL_DIR ${_pixman_install}
  BYPRODUCTS ${_pixman_install}/lib/libpixman-1.a
  KEEP COPYING
  EXTERNAL
    PREFIX ${_cairo_prefix}
    SOURCE_DIR ${_cairo_prefix}/src/pixman
    DOWNLOAD_COMMAND bash ${CMAKE_SOURCE_DIR}/scripts/fetch-deb-source.sh pixman 0.42.2-1
                     ${_cairo_prefix}/src/pixman
    UPDATE_COMMAND ""
    CONFIGURE_COMMAND ${_env} <SOURCE_DIR>/configure --host=${_host} --prefix=${_pixman_install}
      --disable-shared --enable-static --disable-gtk --disable-libpng --disable-openmp
      --disable-loongson-mmi --disable-arm-simd --disable-arm-neon --disable-arm-iwmmxt
      --disable-mips-dspr2 --disable-vmx
    BUILD_COMMAND ${_env} make -C pixman
    INSTALL_COMMAND ${_env} make -C pixman install COMMAND ${_env} make install-pkgconfigDATA)

set(_png_install ${CMAKE_BINARY_DIR}/libpng-mingw/install)
qr_winlib(cairo_mingw VERSION 1.16.0-7 RECIPE ${_recipe}
  INSTALL_DIR ${_cairo_install}
  BYPRODUCTS ${_cairo_install}/lib/libcairo.a
  KEEP COPYING COPYING-LGPL-2.1 COPYING-MPL-1.1
  DEPENDS pixman_mingw libpng_mingw
  EXTERNAL
    PREFIX ${_cairo_prefix}
    SOURCE_DIR ${_cairo_prefix}/src/cairo
    DOWNLOAD_COMMAND bash ${CMAKE_SOURCE_DIR}/scripts/fetch-deb-source.sh cairo 1.16.0-7
                     ${_cairo_prefix}/src/cairo
    UPDATE_COMMAND ""
    CONFIGURE_COMMAND ${_env} png_REQUIRES=libpng16 "png_CFLAGS=-I${_png_install}/include"
      "png_LIBS=${_png_install}/lib/libpng16.a -lz"
      # cairo turns on _FORTIFY_SOURCE where the compiler takes it; mingw's
      # checked functions would need libssp's DLL beside the program.
      "CFLAGS=-O2 -Wp,-U_FORTIFY_SOURCE"
      <SOURCE_DIR>/configure --host=${_host} --prefix=${_cairo_install}
      --disable-shared --enable-static --enable-pthread=no
      --enable-win32 --enable-win32-font --enable-pdf --enable-png
      --disable-ft --disable-fc --disable-ps --disable-svg --disable-script --disable-interpreter
      --disable-xlib --disable-xcb --disable-xlib-xrender --disable-quartz --disable-gobject
      --disable-trace --disable-glib --disable-egl --disable-glx --disable-wgl --disable-gl
      --disable-full-testing --disable-symbol-lookup
    BUILD_COMMAND ${_env} make -C src
    INSTALL_COMMAND ${_env} make -C src install)

file(MAKE_DIRECTORY ${_cairo_install}/include/cairo)
add_library(qr_pixman STATIC IMPORTED GLOBAL)
set_target_properties(qr_pixman PROPERTIES IMPORTED_LOCATION ${_pixman_install}/lib/libpixman-1.a)
add_library(qr_cairo STATIC IMPORTED GLOBAL)
set_target_properties(qr_cairo PROPERTIES
  IMPORTED_LOCATION ${_cairo_install}/lib/libcairo.a
  INTERFACE_INCLUDE_DIRECTORIES ${_cairo_install}/include/cairo
  # Linked in statically: no dllimport in cairo's header.
  INTERFACE_COMPILE_DEFINITIONS CAIRO_WIN32_STATIC_BUILD
  INTERFACE_LINK_LIBRARIES "qr_pixman;qr_png;gdi32;msimg32;user32")
add_dependencies(qr_cairo cairo_mingw)
# The licence texts of the release (Install.cmake).
set(QR_CAIRO_LICENCE_DIR ${_cairo_prefix} CACHE INTERNAL "")
