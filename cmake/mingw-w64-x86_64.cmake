# Cross build for 64-bit Windows with MinGW-w64 (the POSIX-threads variant):
#   cmake -S . -B build/mingw -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(CHROMELL_MINGW_TRIPLE x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${CHROMELL_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${CHROMELL_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${CHROMELL_MINGW_TRIPLE}-windres)

# Look for libraries and packages in the target's sysroot only, so that the
# host's Qt, GoogleTest and Google Benchmark are not picked up.
set(CMAKE_FIND_ROOT_PATH /usr/${CHROMELL_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
