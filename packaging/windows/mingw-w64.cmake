# Cross-building for 64-bit Windows with Debian's mingw-w64 (posix threads):
#   cmake -DCMAKE_TOOLCHAIN_FILE=packaging/windows/mingw-w64.cmake ...
# scripts/build-windows.sh uses it for SDL2 and for Grainpit.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(mingw x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${mingw}-gcc-posix)
set(CMAKE_CXX_COMPILER ${mingw}-g++-posix)
set(CMAKE_RC_COMPILER ${mingw}-windres)
set(CMAKE_AR ${mingw}-gcc-ar-posix CACHE FILEPATH "")
set(CMAKE_RANLIB ${mingw}-gcc-ranlib-posix CACHE FILEPATH "")

# Libraries and headers only from the mingw tree (and from prefixes named
# explicitly, such as SDL2_DIR); build tools from the machine.
set(CMAKE_FIND_ROOT_PATH /usr/${mingw})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

