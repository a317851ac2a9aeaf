# The import library for C callers of QRCodeWin32.dll. The DLL's own .def
# maps each undecorated export to its __stdcall symbol ("QRSetMessage =
# QRSetMessage@4"), so the linker's import library offers "_QRSetMessage",
# which a caller of QRCodeWin32.h never asks for. This one offers
# "_QRSetMessage@4" and imports it by the undecorated name (dlltool -k).
#   cmake -DDEF=<QRCodeWin32.def> -DDLLTOOL=<dlltool> -DOUT=<lib.dll.a> -P ImportLibrary.cmake
file(STRINGS ${DEF} lines)
set(decorated "")
foreach(line IN LISTS lines)
  if(line MATCHES "^[ \t]*[A-Za-z0-9_]+[ \t]*=[ \t]*([A-Za-z0-9_]+@[0-9]+)")
    string(APPEND decorated "    ${CMAKE_MATCH_1}\n")
  endif()
endforeach()
if(decorated STREQUAL "")
  message(FATAL_ERROR "No __stdcall exports found in ${DEF}")
endif()
get_filename_component(out_dir ${OUT} DIRECTORY)
set(def ${out_dir}/QRCodeWin32-stdcall.def)
file(WRITE ${def} "LIBRARY QRCodeWin32.dll\nEXPORTS\n${decorated}")
execute_process(COMMAND ${DLLTOOL} --kill-at -d ${def} -D QRCodeWin32.dll -l ${OUT}
                RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "dlltool failed (${result})")
endif()
