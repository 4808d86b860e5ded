# Cross-compiles for 64-bit Windows with mingw-w64 and GCC's win32 thread model (Debian:
# g++-mingw-w64-x86-64-win32). The library needs no std::thread or std::mutex, so the
# thread model without winpthreads is enough and the executables depend on no extra DLL.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR AMD64)

set(ZENTNET_MINGW_TRIPLE x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${ZENTNET_MINGW_TRIPLE}-gcc-win32)
set(CMAKE_CXX_COMPILER ${ZENTNET_MINGW_TRIPLE}-g++-win32)
set(CMAKE_RC_COMPILER ${ZENTNET_MINGW_TRIPLE}-windres)

# Headers and libraries come from the target's sysroot only; programs from the host.
set(CMAKE_FIND_ROOT_PATH /usr/${ZENTNET_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
