# The product: 32-bit Windows executables, tests under a 32-bit Wine prefix.
set(PACK_MINGW_ARCH i686)
set(PACK_WINE_ARCH win32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64.cmake)
