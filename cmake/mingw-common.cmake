# The part of the mingw-w64 toolchain files that does not depend on the architecture; the
# including file sets ZENTNET_MINGW_TRIPLE and CMAKE_SYSTEM_PROCESSOR first. GCC's win32
# thread model is enough: the library needs no std::thread or std::mutex, and the
# executables then depend on no extra DLL.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_C_COMPILER ${ZENTNET_MINGW_TRIPLE}-gcc-win32)
set(CMAKE_CXX_COMPILER ${ZENTNET_MINGW_TRIPLE}-g++-win32)
set(CMAKE_RC_COMPILER ${ZENTNET_MINGW_TRIPLE}-windres)

# Headers and libraries come from the target's sysroot only; programs from the host.
set(CMAKE_FIND_ROOT_PATH /usr/${ZENTNET_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
