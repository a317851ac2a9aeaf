# The libraries the Windows build compiles from Debian's source packages
# (libpng, pixman, cairo, zxing-cpp) are kept on the machine once built, so
# that another build tree (a fresh clone, a second run of the test command)
# copies them instead of compiling them again. An entry's key is the
# library's version, the toolchain (the mingw compiler's version line), the
# recipe's own files and the keys of the libraries it is built against:
#   ${QR_WINLIB_CACHE}/<name>-<version>-<key>/  (a copy of the install folder)
# QR_WINLIB_CACHE empty: nothing is kept or taken.
#
#   qr_winlib(<name> VERSION <version> RECIPE <files...>
#             INSTALL_DIR <dir> BYPRODUCTS <files...>
#             [KEEP <files of the source tree...>] [DEPENDS <other winlibs...>]
#             [UNCACHED] EXTERNAL <ExternalProject_Add options...>)
#
# UNCACHED: built in this tree only (a source tree given by hand).
# qr_debian_version(<variable> <binary package>) gives the installed
# version of a Debian package, for VERSION.
#
# Makes the target <name>: the ExternalProject built from EXTERNAL (which
# installs into INSTALL_DIR), its KEEP files (licence texts) copied into
# INSTALL_DIR/licences, the whole then stored in the cache; or, on a hit,
# the cached folder copied into INSTALL_DIR. The same paths either way.
# A later library that needs one of these finds it by its install folder
# (pkg-config: with --define-prefix, as the folder has moved).
include(ExternalProject)

if(DEFINED ENV{XDG_CACHE_HOME} AND NOT "$ENV{XDG_CACHE_HOME}" STREQUAL "")
  set(_winlib_default_cache "$ENV{XDG_CACHE_HOME}/qrbatch/winlibs")
else()
  set(_winlib_default_cache "$ENV{HOME}/.cache/qrbatch/winlibs")
endif()
set(QR_WINLIB_CACHE "${_winlib_default_cache}" CACHE PATH
    "Where the Windows build keeps the libraries it compiled from Debian's sources (empty: nowhere)")

function(qr_debian_version variable package)
  execute_process(COMMAND dpkg-query -W "-f=\${Version}" ${package} OUTPUT_VARIABLE version
                  ERROR_QUIET RESULT_VARIABLE status)
  if(NOT status EQUAL 0 OR version STREQUAL "")
    set(version unknown)
  endif()
  string(REGEX REPLACE "\\+b[0-9]+$" "" version "${version}")  # a rebuild, the same source
  set(${variable} ${version} PARENT_SCOPE)
endfunction()

# The toolchain: the compiler's version line and the Debian packages of the
# mingw-w64 compilers and runtime (Debian's "12-win32" alone names no patch
# level).
execute_process(COMMAND ${CMAKE_C_COMPILER} --version OUTPUT_VARIABLE _winlib_toolchain ERROR_QUIET)
string(REGEX REPLACE "\n.*" "" _winlib_toolchain "${_winlib_toolchain}")
foreach(_winlib_package gcc-mingw-w64-i686-win32 g++-mingw-w64-i686-win32 mingw-w64-i686-dev)
  qr_debian_version(_winlib_package_version ${_winlib_package})
  string(APPEND _winlib_toolchain " ${_winlib_package}=${_winlib_package_version}")
endforeach()

function(qr_winlib name)
  cmake_parse_arguments(PARSE_ARGV 1 ARG "UNCACHED" "VERSION;INSTALL_DIR"
                        "RECIPE;BYPRODUCTS;KEEP;DEPENDS;EXTERNAL")
  set(key_text "${name} ${ARG_VERSION} ${_winlib_toolchain} ${CMAKE_C_COMPILER_VERSION}")
  foreach(file IN LISTS ARG_RECIPE ITEMS ${CMAKE_CURRENT_FUNCTION_LIST_FILE} ${CMAKE_TOOLCHAIN_FILE})
    file(SHA256 ${file} file_hash)
    string(APPEND key_text " ${file_hash}")
  endforeach()
  foreach(dependency IN LISTS ARG_DEPENDS)
    get_property(dependency_key GLOBAL PROPERTY QR_WINLIB_KEY_${dependency})
    string(APPEND key_text " ${dependency_key}")
  endforeach()
  string(SHA256 key "${key_text}")
  string(SUBSTRING ${key} 0 16 key)
  set_property(GLOBAL PROPERTY QR_WINLIB_KEY_${name} ${key})
  set(entry ${QR_WINLIB_CACHE}/${name}-${ARG_VERSION}-${key})
  set(cache ${QR_WINLIB_CACHE})
  if(ARG_UNCACHED)
    set(cache "")
  endif()

  if(cache AND EXISTS ${entry}/.complete)
    message(STATUS "${name}: from the cache, ${entry}")
    add_custom_command(OUTPUT ${ARG_BYPRODUCTS}
      COMMAND ${CMAKE_COMMAND} -E rm -rf ${ARG_INSTALL_DIR}
      COMMAND ${CMAKE_COMMAND} -E copy_directory ${entry} ${ARG_INSTALL_DIR}
      COMMAND ${CMAKE_COMMAND} -E rm -f ${ARG_INSTALL_DIR}/.complete
      DEPENDS ${entry}/.complete
      COMMENT "${name} from the cache")
    add_custom_target(${name} DEPENDS ${ARG_BYPRODUCTS})
    if(ARG_DEPENDS)
      add_dependencies(${name} ${ARG_DEPENDS})
    endif()
    return()
  endif()

  if(ARG_DEPENDS)
    set(depends DEPENDS ${ARG_DEPENDS})
  endif()
  ExternalProject_Add(${name} ${ARG_EXTERNAL} ${depends} BUILD_BYPRODUCTS ${ARG_BYPRODUCTS})
  set(licences)
  foreach(kept IN LISTS ARG_KEEP)
    list(APPEND licences COMMAND ${CMAKE_COMMAND} -E copy <SOURCE_DIR>/${kept} ${ARG_INSTALL_DIR}/licences/)
  endforeach()
  ExternalProject_Add_Step(${name} licences
    COMMAND ${CMAKE_COMMAND} -E make_directory ${ARG_INSTALL_DIR}/licences ${licences}
    DEPENDEES install)
  if(cache)
    message(STATUS "${name}: built here, then kept in ${entry}")
    ExternalProject_Add_Step(${name} keep
      COMMAND ${CMAKE_COMMAND} -DENTRY=${entry} -DINSTALL_DIR=${ARG_INSTALL_DIR}
              -P ${CMAKE_CURRENT_FUNCTION_LIST_DIR}/WinLibKeep.cmake
      DEPENDEES licences
      COMMENT "Keeping ${name} in ${entry}")
  endif()
endfunction()
