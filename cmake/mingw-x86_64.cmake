# Cross-build for Windows, 64-bit: cmake -DCMAKE_TOOLCHAIN_FILE=<this file>. The build CI runs
# under wine (test suites and GUI test) and ships first.
set(HS_MINGW_TRIPLE x86_64-w64-mingw32)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
