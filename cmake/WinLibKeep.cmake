# Stores a built Windows library in the machine's cache (see WinLibCache.cmake):
#   cmake -DENTRY=<entry> -DINSTALL_DIR=<dir> -P WinLibKeep.cmake
# The entry is filled under another name and renamed when whole, so no build
# ever takes a half-written one; when another build stored it first, that
# one stays.
if(EXISTS ${ENTRY}/.complete)
  return()
endif()
string(RANDOM LENGTH 8 suffix)
set(partial ${ENTRY}.partial-${suffix})
file(REMOVE_RECURSE ${partial})
file(COPY ${INSTALL_DIR}/ DESTINATION ${partial})
file(WRITE ${partial}/.complete "")
file(RENAME ${partial} ${ENTRY} RESULT renamed)
if(NOT renamed STREQUAL "0")
  file(REMOVE_RECURSE ${partial})
endif()
