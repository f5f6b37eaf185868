# Cross build for 32-bit Windows with Debian's MinGW-w64 (g++-mingw-w64-i686). The -posix
# compilers use the winpthreads threading model, so std::thread and std::mutex work.
#   cmake -S . -B build/windows -DCMAKE_TOOLCHAIN_FILE=cmake/toolchain-mingw32.cmake
# cmake/toolchain-mingw64.cmake sets the two names below first and reads this file.
if(NOT VELNOR_MINGW_PREFIX)
  set(VELNOR_MINGW_PREFIX i686-w64-mingw32)
  set(VELNOR_MINGW_PROCESSOR i686)
endif()
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR ${VELNOR_MINGW_PROCESSOR})

set(CMAKE_C_COMPILER ${VELNOR_MINGW_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${VELNOR_MINGW_PREFIX}-g++-posix)
set(CMAKE_RC_COMPILER ${VELNOR_MINGW_PREFIX}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${VELNOR_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# One self-contained velnor.exe: the C and C++ runtimes and winpthreads linked in.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
set(CMAKE_EXE_LINKER_FLAGS_RELEASE_INIT "-s")
