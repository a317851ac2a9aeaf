# Tests that run Windows programs under Wine (wine32) in one Xvfb, in a
# fresh WINEPREFIX made by the test run (CTest fixture "wine_prefix").
#
#   qr_add_wine_test(NAME <name> COMMAND <program> [args...] [TIMEOUT <seconds>])
#
# <program> is a Linux command (a script, `wine`, a native checker) or a
# Windows .exe, which is run with wine. The command sees WINEARCH, WINEPREFIX,
# WINEDEBUG, WINEDLLOVERRIDES, a Chinese locale (ANSI code page 936), DISPLAY,
# QR_WINDOWS_DIR (the cross build), QR_SOURCE_DIR, QR_BINARY_DIR and a fresh
# scratch folder QR_TEST_TMP. Every Wine test has the display, so all of
# them share one wineserver with the X driver; they run one at a time
# (they share the prefix's C: drive, its clipboard and its desktop).

set(QR_WINE_STATE_DIR ${CMAKE_BINARY_DIR}/wine-state)
set(QR_WINE_PREFIX ${CMAKE_BINARY_DIR}/wineprefix)
set(QR_WINE_SCRIPTS ${CMAKE_SOURCE_DIR}/tests/wine)

add_test(NAME wine_prefix_setup
         COMMAND ${QR_WINE_SCRIPTS}/wine-setup.sh ${QR_WINE_STATE_DIR} ${QR_WINE_PREFIX})
set_tests_properties(wine_prefix_setup PROPERTIES
  FIXTURES_SETUP wine_prefix TIMEOUT 180 RESOURCE_LOCK wine)
add_test(NAME wine_prefix_cleanup
         COMMAND ${QR_WINE_SCRIPTS}/wine-cleanup.sh ${QR_WINE_STATE_DIR} ${QR_WINE_PREFIX})
set_tests_properties(wine_prefix_cleanup PROPERTIES
  FIXTURES_CLEANUP wine_prefix TIMEOUT 60 RESOURCE_LOCK wine)

function(qr_add_wine_test)
  cmake_parse_arguments(ARG "" "NAME;TIMEOUT" "COMMAND" ${ARGN})
  if(NOT ARG_TIMEOUT)
    set(ARG_TIMEOUT 300)
  endif()
  add_test(NAME ${ARG_NAME}
           COMMAND ${QR_WINE_SCRIPTS}/wine-run.sh ${QR_WINE_STATE_DIR} ${ARG_NAME} ${ARG_COMMAND})
  set_tests_properties(${ARG_NAME} PROPERTIES
    FIXTURES_REQUIRED wine_prefix
    RESOURCE_LOCK wine
    TIMEOUT ${ARG_TIMEOUT}
    LABELS wine
    ENVIRONMENT "WINEPREFIX=${QR_WINE_PREFIX};QR_WINDOWS_DIR=${QR_WINDOWS_DIR};QR_SOURCE_DIR=${CMAKE_SOURCE_DIR};QR_BINARY_DIR=${CMAKE_BINARY_DIR}")
endfunction()
