# Cross-build for Windows, 64-bit. Used to test the Windows code under a 64-bit-only wine where
# the build host cannot run 32-bit programs; the shipped program is the 32-bit one.
set(HS_MINGW_TRIPLE x86_64-w64-mingw32)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
