# Cross-build for Windows, 32-bit (the shipped program): cmake -DCMAKE_TOOLCHAIN_FILE=<this file>
set(HS_MINGW_TRIPLE i686-w64-mingw32)
set(CMAKE_SYSTEM_PROCESSOR i686)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
