# Build for the web with Debian's Emscripten (package emscripten): every file compiled and
# linked with threads, which the game needs for its own thread and the thinking threads.
#   NODE_PATH=/usr/share/nodejs \
#     cmake -S . -B build/web-cmake -DCMAKE_TOOLCHAIN_FILE=cmake/toolchain-emscripten.cmake
# (emcc runs its JavaScript tools with the system's node, which must find Debian's acorn in
# /usr/share/nodejs; scripts/build-web sets NODE_PATH.)
set(VELNOR_EMSCRIPTEN_ROOT /usr/share/emscripten CACHE PATH "Emscripten's installation")
include(${VELNOR_EMSCRIPTEN_ROOT}/cmake/Modules/Platform/Emscripten.cmake)

set(CMAKE_C_FLAGS_INIT "-pthread")
set(CMAKE_CXX_FLAGS_INIT "-pthread")
set(CMAKE_EXE_LINKER_FLAGS_INIT "-pthread")
