# The program's version is the project's VERSION and nothing else: a
# generated header (target qr_version) gives it to the code, and on Windows a
# version resource gives it to Explorer.
set(QR_COMPANY_NAME "QRBatch" CACHE STRING "Publisher shown in the binaries' version resource")

set(QR_GENERATED_DIR ${CMAKE_BINARY_DIR}/generated)
configure_file(${CMAKE_CURRENT_LIST_DIR}/qr_version.h.in ${QR_GENERATED_DIR}/qr_version.h @ONLY)
add_library(qr_version INTERFACE)
target_include_directories(qr_version INTERFACE ${QR_GENERATED_DIR})

# qr_add_version_info(<target> <file description>): a VERSIONINFO resource
# naming the target's output file, its type (program or library) and the
# description shown by Explorer.
function(qr_add_version_info target description)
  get_target_property(type ${target} TYPE)
  if(type STREQUAL "EXECUTABLE")
    set(QR_VI_FILE_TYPE VFT_APP)
    set(suffix ${CMAKE_EXECUTABLE_SUFFIX})
  else()
    set(QR_VI_FILE_TYPE VFT_DLL)
    set(suffix ${CMAKE_SHARED_LIBRARY_SUFFIX})
  endif()
  get_target_property(QR_VI_INTERNAL_NAME ${target} OUTPUT_NAME)
  if(NOT QR_VI_INTERNAL_NAME)
    set(QR_VI_INTERNAL_NAME ${target})
  endif()
  set(QR_VI_FILE_NAME ${QR_VI_INTERNAL_NAME}${suffix})
  set(QR_VI_DESCRIPTION "${description}")
  set(rc ${QR_GENERATED_DIR}/version_info/${target}.rc)
  configure_file(${CMAKE_SOURCE_DIR}/app/resources/version_info.rc.in ${rc} @ONLY)
  target_sources(${target} PRIVATE ${rc})
endfunction()
