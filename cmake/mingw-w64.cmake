# Cross-builds the Windows program with Debian's mingw-w64 (posix threads)
# into one static exe that needs no runtime DLLs.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(HIYOKO_MINGW x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${HIYOKO_MINGW}-gcc-posix)
set(CMAKE_CXX_COMPILER ${HIYOKO_MINGW}-g++-posix)
set(CMAKE_RC_COMPILER ${HIYOKO_MINGW}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${HIYOKO_MINGW})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
set(CMAKE_EXE_LINKER_FLAGS_MINSIZEREL_INIT "-s")
