# Shared by the two mingw-w64 toolchain files, which set PACK_MINGW_ARCH (i686 or x86_64) and
# PACK_WINE_ARCH (win32 or win64) before including this one. The -posix variant is required: the
# -win32 thread model lacks std::mutex, which GoogleTest needs.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR ${PACK_MINGW_ARCH})

set(CMAKE_C_COMPILER ${PACK_MINGW_ARCH}-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER ${PACK_MINGW_ARCH}-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER ${PACK_MINGW_ARCH}-w64-mingw32-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${PACK_MINGW_ARCH}-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)

# No mingw runtime DLL beside the executables: a missing one makes Wine exit silently with 53.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")

# Each architecture runs in a Wine prefix of its own kind.
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/wine-emulator.sh ${PACK_WINE_ARCH})
