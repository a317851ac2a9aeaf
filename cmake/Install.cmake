# What a release holds.
#
# In the Windows cross build: the content of the Windows zip, laid out as
# the user finds it (the programs and the engine library side by side, the
# C SDK in sdk\, the licences of the libraries linked into the program).
# The native build installs it into <build>/windows/package-root after every
# cross build (WindowsCrossBuild.cmake) and packs it from there.
#
# In the native build: component "linux" (qrbatch and the engine's C SDK,
# the Linux tarball; also what a plain `cmake --install` installs) and
# component "windows" (the staged zip content, packed only by CPack).
set(QR_PACKAGING_DIR ${CMAKE_SOURCE_DIR}/packaging)
set(QR_PUBLIC_HEADER ${CMAKE_SOURCE_DIR}/engine/include/QRCodeWin32.h)

if(WIN32)
  qr_add_version_info(QRBatchGenerator "批量二维码生成器")
  qr_add_version_info(qrbatch "批量二维码生成器（命令行）")
  qr_add_version_info(QRCodeWin32 "二维码符号引擎")

  install(TARGETS QRBatchGenerator qrbatch RUNTIME DESTINATION .)
  # The DLL alone: the linker's own import library does not suit C callers.
  install(FILES $<TARGET_FILE:QRCodeWin32> DESTINATION .)
  install(FILES ${QR_PACKAGING_DIR}/使用说明.txt DESTINATION .)
  install(FILES ${QR_PUBLIC_HEADER} DESTINATION sdk)

  set(release_dir ${CMAKE_BINARY_DIR}/release)
  find_program(QR_MINGW_DLLTOOL NAMES ${CMAKE_SYSTEM_PROCESSOR}-w64-mingw32-dlltool dlltool REQUIRED)
  set(import_library ${release_dir}/sdk/libQRCodeWin32.dll.a)
  add_custom_command(OUTPUT ${import_library}
    COMMAND ${CMAKE_COMMAND} -DDEF=${CMAKE_SOURCE_DIR}/engine/QRCodeWin32.def
            -DDLLTOOL=${QR_MINGW_DLLTOOL} -DOUT=${import_library}
            -P ${CMAKE_SOURCE_DIR}/cmake/ImportLibrary.cmake
    DEPENDS ${CMAKE_SOURCE_DIR}/engine/QRCodeWin32.def ${CMAKE_SOURCE_DIR}/cmake/ImportLibrary.cmake
    COMMENT "Import library for C callers of QRCodeWin32.dll")

  # Licence texts of what the program links statically: those the libraries
  # built from Debian's sources keep in their install folders
  # (WinLibCache.cmake), and Debian's record of the mingw zlib.
  set(libpng_licence ${CMAKE_BINARY_DIR}/libpng-mingw/install/licences/LICENSE)
  find_file(QR_ZLIB_COPYRIGHT copyright
    PATHS /usr/share/doc/libz-mingw-w64-dev /usr/share/doc/libz-mingw-w64
    NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH REQUIRED)
  set(licences ${release_dir}/licences/libpng.txt ${release_dir}/licences/zlib.txt)
  add_custom_command(OUTPUT ${licences}
    COMMAND ${CMAKE_COMMAND} -DIN=${libpng_licence} -DOUT=${release_dir}/licences/libpng.txt
            -P ${CMAKE_SOURCE_DIR}/cmake/WindowsText.cmake
    COMMAND ${CMAKE_COMMAND} -DIN=${QR_ZLIB_COPYRIGHT} -DOUT=${release_dir}/licences/zlib.txt
            -P ${CMAKE_SOURCE_DIR}/cmake/WindowsText.cmake
    DEPENDS libpng_mingw ${QR_ZLIB_COPYRIGHT} ${CMAKE_SOURCE_DIR}/cmake/WindowsText.cmake
    COMMENT "Licence texts for the Windows release")

  # zxing-cpp's licence, when qrbatch.exe links its readers (--verify).
  if(QR_WINDOWS_VERIFY)
    set(zxing_licence ${release_dir}/licences/zxing-cpp.txt)
    add_custom_command(OUTPUT ${zxing_licence}
      COMMAND ${CMAKE_COMMAND} -DIN=${CMAKE_BINARY_DIR}/zxing-mingw/install/licences/LICENSE
              -DOUT=${zxing_licence}
              -P ${CMAKE_SOURCE_DIR}/cmake/WindowsText.cmake
      DEPENDS zxing_mingw ${CMAKE_SOURCE_DIR}/cmake/WindowsText.cmake
      COMMENT "zxing-cpp's licence for the Windows release")
    list(APPEND licences ${zxing_licence})
  endif()
  # cairo (LGPL 2.1 or MPL 1.1, its choice of terms in COPYING) and pixman
  # (MIT), linked into qrbatch.exe for its label sheets.
  set(cairo_source ${QR_CAIRO_LICENCE_DIR}/cairo/licences)
  set(pixman_source ${QR_CAIRO_LICENCE_DIR}/pixman/licences)
  set(cairo_licences ${release_dir}/licences/cairo.txt ${release_dir}/licences/cairo-LGPL-2.1.txt
      ${release_dir}/licences/cairo-MPL-1.1.txt ${release_dir}/licences/pixman.txt)
  add_custom_command(OUTPUT ${cairo_licences}
    COMMAND ${CMAKE_COMMAND} -DIN=${cairo_source}/COPYING -DOUT=${release_dir}/licences/cairo.txt
            -P ${CMAKE_SOURCE_DIR}/cmake/WindowsText.cmake
    COMMAND ${CMAKE_COMMAND} -DIN=${cairo_source}/COPYING-LGPL-2.1
            -DOUT=${release_dir}/licences/cairo-LGPL-2.1.txt -P ${CMAKE_SOURCE_DIR}/cmake/WindowsText.cmake
    COMMAND ${CMAKE_COMMAND} -DIN=${cairo_source}/COPYING-MPL-1.1
            -DOUT=${release_dir}/licences/cairo-MPL-1.1.txt -P ${CMAKE_SOURCE_DIR}/cmake/WindowsText.cmake
    COMMAND ${CMAKE_COMMAND} -DIN=${pixman_source}/COPYING -DOUT=${release_dir}/licences/pixman.txt
            -P ${CMAKE_SOURCE_DIR}/cmake/WindowsText.cmake
    DEPENDS cairo_mingw pixman_mingw ${CMAKE_SOURCE_DIR}/cmake/WindowsText.cmake
    COMMENT "Licence texts of cairo and pixman for the Windows release")
  list(APPEND licences ${cairo_licences})

  add_custom_target(qr_release_files ALL DEPENDS ${import_library} ${licences})
  install(FILES ${import_library} DESTINATION sdk)
  install(FILES ${licences} DESTINATION licences)
else()
  include(GNUInstallDirs)
  install(TARGETS qrbatch RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR} COMPONENT linux)
  install(TARGETS QRCodeWin32 LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR} COMPONENT linux)
  install(FILES ${QR_PUBLIC_HEADER} DESTINATION ${CMAKE_INSTALL_INCLUDEDIR} COMPONENT linux)

  # Relocatable: qrbatch finds the library, and pkg-config the prefix,
  # relative to where they lie.
  file(RELATIVE_PATH bin_to_lib ${CMAKE_INSTALL_FULL_BINDIR} ${CMAKE_INSTALL_FULL_LIBDIR})
  set_target_properties(qrbatch PROPERTIES INSTALL_RPATH "$ORIGIN/${bin_to_lib}")
  file(RELATIVE_PATH QR_PC_PREFIX_FROM_PCDIR ${CMAKE_INSTALL_FULL_LIBDIR}/pkgconfig ${CMAKE_INSTALL_PREFIX})
  string(REGEX REPLACE "/$" "" QR_PC_PREFIX_FROM_PCDIR "${QR_PC_PREFIX_FROM_PCDIR}")
  configure_file(${QR_PACKAGING_DIR}/QRCodeWin32.pc.in ${CMAKE_BINARY_DIR}/release/QRCodeWin32.pc @ONLY)
  install(FILES ${CMAKE_BINARY_DIR}/release/QRCodeWin32.pc
          DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig COMPONENT linux)

  if(QR_HAVE_WINDOWS_BUILD)
    install(DIRECTORY ${QR_WINDOWS_PACKAGE_ROOT}/ DESTINATION . COMPONENT windows EXCLUDE_FROM_ALL)
  endif()
endif()
