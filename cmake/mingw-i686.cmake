# Cross-compiles for 32-bit Windows with mingw-w64 (Debian: g++-mingw-w64-i686-win32).
set(CMAKE_SYSTEM_PROCESSOR x86)
set(ZENTNET_MINGW_TRIPLE i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
