# Cross-build for Windows, 32-bit: cmake -DCMAKE_TOOLCHAIN_FILE=<this file>. Built and shipped,
# but run-tested only through the 64-bit build of the same sources.
set(HS_MINGW_TRIPLE i686-w64-mingw32)
set(CMAKE_SYSTEM_PROCESSOR i686)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
