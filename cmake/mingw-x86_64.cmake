# Cross toolchain: 64-bit Windows via MinGW-w64, for the tests on a machine that runs no 32-bit
# programs (see scripts/common.sh). What ships is built with mingw-i686.cmake.
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(TOOL_PREFIX x86_64-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
