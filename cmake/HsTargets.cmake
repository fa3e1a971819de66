# Common compile settings for every target of the project.

# Warnings become errors where CMAKE_COMPILE_WARNING_AS_ERROR is ON: the presets default, asan
# and release, and CI. A plain `cmake` build leaves them warnings.

function(hs_settings target)
  if(MSVC)
    target_compile_options(${target} PRIVATE /W4)
  else()
    target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic)
  endif()
  # GCC 12 reports false overlaps in inlined std::string code of optimised builds (-Wrestrict,
  # GCC bug 105329).
  if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
    target_compile_options(${target} PRIVATE -Wno-restrict)
  endif()
  if(HS_SANITIZE)
    target_compile_options(${target} PRIVATE -fsanitize=address,undefined
                                             -fno-sanitize-recover=undefined -fno-omit-frame-pointer)
    target_link_options(${target} PRIVATE -fsanitize=address,undefined)
  endif()
endfunction()

# hs_library(name SOURCES...): a static library of one subsystem folder.
function(hs_library name)
  add_library(${name} STATIC ${ARGN})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR})
  hs_settings(${name})
endfunction()

# hs_test(name SOURCES... LIBS ...): a GoogleTest program registered with CTest.
function(hs_test name)
  cmake_parse_arguments(T "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gtest GTest::gtest_main)
  hs_settings(${name})
  # An installed program's settings go to $XDG_CONFIG_HOME: never the real one in a test run.
  gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60 PROPERTIES TIMEOUT 300
                       ENVIRONMENT "XDG_CONFIG_HOME=${CMAKE_BINARY_DIR}/test-config")
endfunction()
