# The same sources as 64-bit Windows executables, tests under a 64-bit Wine prefix: for machines
# that cannot execute 32-bit code, where 32-bit Wine cannot start at all.
set(PACK_MINGW_ARCH x86_64)
set(PACK_WINE_ARCH win64)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64.cmake)
