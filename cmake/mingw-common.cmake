# Shared part of the MinGW-w64 cross toolchains. The including file sets HS_MINGW_TRIPLE and
# CMAKE_SYSTEM_PROCESSOR first.
set(CMAKE_SYSTEM_NAME Windows)

# The posix thread variant gives std::thread and std::mutex; it is linked in statically below.
find_program(HS_MINGW_CXX NAMES ${HS_MINGW_TRIPLE}-g++-posix ${HS_MINGW_TRIPLE}-g++ REQUIRED)
find_program(HS_MINGW_CC NAMES ${HS_MINGW_TRIPLE}-gcc-posix ${HS_MINGW_TRIPLE}-gcc REQUIRED)
set(CMAKE_CXX_COMPILER ${HS_MINGW_CXX})
set(CMAKE_C_COMPILER ${HS_MINGW_CC})
find_program(CMAKE_RC_COMPILER NAMES ${HS_MINGW_TRIPLE}-windres)
# The zips ship stripped programs.
find_program(CMAKE_STRIP NAMES ${HS_MINGW_TRIPLE}-strip)

# Headers and libraries of the target only; programs (moc, code generators) of the build host.
# Extra prefixes (a cross-built GoogleTest) come in through HS_MINGW_EXTRA_ROOTS.
set(CMAKE_FIND_ROOT_PATH /usr/${HS_MINGW_TRIPLE} ${HS_MINGW_EXTRA_ROOTS})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES HS_MINGW_TRIPLE HS_MINGW_EXTRA_ROOTS)

# Every program needs only the system's DLLs: the C++ runtime and winpthread are linked in.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")

# The test programs cannot run on the build host; their tests are listed when ctest runs them
# (through CMAKE_CROSSCOMPILING_EMULATOR, for example wine), not at build time.
set(CMAKE_GTEST_DISCOVER_TESTS_DISCOVERY_MODE PRE_TEST)
