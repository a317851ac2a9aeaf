# `cmake --build <build> --target package` makes the release archives:
#   QRBatch-<version>-win32.zip         for Windows users (component windows,
#                                        when the cross build is on)
#   QRBatch-<version>-Linux-<cpu>.tar.gz qrbatch and the engine's C SDK
#                                        (component linux)
# Each archive holds one component (cmake/CPackPerGenerator.cmake.in).
set(QR_PACKAGE_LINUX_NAME QRBatch-${PROJECT_VERSION}-Linux-${CMAKE_SYSTEM_PROCESSOR})
set(QR_PACKAGE_WINDOWS_NAME QRBatch-${PROJECT_VERSION}-win32)

set(CPACK_PACKAGE_NAME QRBatch)
set(CPACK_PACKAGE_VENDOR ${QR_COMPANY_NAME})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Bulk QR Code generator and QR Code symbol engine")
set(CPACK_GENERATOR TGZ)
if(QR_HAVE_WINDOWS_BUILD)
  list(APPEND CPACK_GENERATOR ZIP)
endif()
set(CPACK_ARCHIVE_COMPONENT_INSTALL ON)
set(CPACK_COMPONENTS_GROUPING ALL_COMPONENTS_IN_ONE)
# Unpacking makes one folder named after the archive.
set(CPACK_COMPONENT_INCLUDE_TOPLEVEL_DIRECTORY ON)
# Release binaries without debug information (the Windows files are
# stripped by the cross build's own install).
set(CPACK_STRIP_FILES ON)
configure_file(${CMAKE_CURRENT_LIST_DIR}/CPackPerGenerator.cmake.in
               ${CMAKE_BINARY_DIR}/CPackPerGenerator.cmake @ONLY)
set(CPACK_PROJECT_CONFIG_FILE ${CMAKE_BINARY_DIR}/CPackPerGenerator.cmake)
# Source archives are not made here; keep build trees out if one is.
set(CPACK_SOURCE_IGNORE_FILES "/\\\\.git/;/build[^/]*/;/\\\\.wineprefix/")
include(CPack)
