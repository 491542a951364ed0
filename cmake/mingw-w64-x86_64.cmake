# Cross-compiling for 64-bit Windows with Debian's MinGW-w64 (the posix threads variant, which
# has std::thread and friends). Programs built with it run under Wine for the tests.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(VK7_MINGW_PREFIX x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${VK7_MINGW_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${VK7_MINGW_PREFIX}-g++-posix)
set(CMAKE_RC_COMPILER ${VK7_MINGW_PREFIX}-windres)

# Libraries and headers come from the target's tree (and the Qt for Windows named in
# CMAKE_PREFIX_PATH) only; tools run on the build machine.
set(CMAKE_FIND_ROOT_PATH /usr/${VK7_MINGW_PREFIX} ${CMAKE_PREFIX_PATH})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# ctest runs the test programs through Wine.
find_program(VK7_WINE NAMES wine)
if(VK7_WINE)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${VK7_WINE})
endif()

# A cross-built Qt runs the build machine's moc, rcc and uic: Debian's Qt of the same version.
set(QT_HOST_PATH /usr CACHE PATH "Where Qt's host tools are")
set(QT_HOST_PATH_CMAKE_DIR /usr/lib/x86_64-linux-gnu/cmake CACHE PATH "Their CMake packages")
