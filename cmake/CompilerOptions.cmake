# Compiler warnings as a usage requirement, and the optional sanitizer build.
#
# Every target of ours links qr_warnings PRIVATE: the flags stay on our own
# code (never on code built by ExternalProject or found packages) and each
# target shows in its own CMakeLists.txt that it is held to them.
# qr_require_warnings() at the end of the top-level CMakeLists.txt fails the
# configure when a compiled target was added without it.
option(QR_WERROR "Treat compiler warnings as errors" OFF)

set(_qr_warning_flags -Wall -Wextra)
if(QR_WERROR)
  list(APPEND _qr_warning_flags -Werror)
endif()
add_library(qr_warnings INTERFACE)
# C and C++ only: the resource compiler shares the targets but not the flags.
target_compile_options(qr_warnings INTERFACE "$<$<COMPILE_LANGUAGE:C,CXX>:${_qr_warning_flags}>")

function(qr_require_warnings directory)
  get_property(targets DIRECTORY ${directory} PROPERTY BUILDSYSTEM_TARGETS)
  foreach(target IN LISTS targets)
    get_target_property(type ${target} TYPE)
    if(type MATCHES "^(EXECUTABLE|STATIC_LIBRARY|SHARED_LIBRARY|MODULE_LIBRARY|OBJECT_LIBRARY)$")
      get_target_property(libraries ${target} LINK_LIBRARIES)
      if(NOT "qr_warnings" IN_LIST libraries)
        message(FATAL_ERROR "Target ${target} (${directory}) does not link qr_warnings: "
                            "add target_link_libraries(${target} PRIVATE qr_warnings)")
      endif()
    endif()
  endforeach()
  get_property(subdirectories DIRECTORY ${directory} PROPERTY SUBDIRECTORIES)
  foreach(subdirectory IN LISTS subdirectories)
    qr_require_warnings(${subdirectory})
  endforeach()
endfunction()

# The sanitizers instrument the whole process: every object file and every
# link must carry them (a library built without them hides its faults, a
# link without them misses the runtime). So in the sanitizer build they are
# global, not a usage requirement that one forgotten link would drop.
option(QR_SANITIZE "Build with AddressSanitizer and UndefinedBehaviorSanitizer" OFF)
if(QR_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address,undefined)
endif()
