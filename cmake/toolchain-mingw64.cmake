# The same cross build for 64-bit Windows (g++-mingw-w64-x86-64). Not the release: it lets a
# machine that cannot run 32-bit programs try the program under a 64-bit Wine.
#   cmake -S . -B build/windows64 -DCMAKE_TOOLCHAIN_FILE=cmake/toolchain-mingw64.cmake
set(VELNOR_MINGW_PREFIX x86_64-w64-mingw32)
set(VELNOR_MINGW_PROCESSOR x86_64)
include(${CMAKE_CURRENT_LIST_DIR}/toolchain-mingw32.cmake)
