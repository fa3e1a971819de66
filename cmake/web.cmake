# Toolchain of the web preset: Debian's Emscripten, found through em-config, with Node.js as the
# emulator of built programs and as the runner of the optimising linker's scripts.
find_program(HS_EM_CONFIG em-config REQUIRED)
execute_process(COMMAND ${HS_EM_CONFIG} EMSCRIPTEN_ROOT
  OUTPUT_VARIABLE HS_EM_ROOT OUTPUT_STRIP_TRAILING_WHITESPACE)
include(${HS_EM_ROOT}/cmake/Modules/Platform/Emscripten.cmake)

# Node 18+ fetches the .wasm with its own fetch, which cannot read files: turn it off.
find_program(HS_NODE NAMES node nodejs NO_CMAKE_FIND_ROOT_PATH)
if(HS_NODE)
  set(CMAKE_CROSSCOMPILING_EMULATOR "${HS_NODE};--no-experimental-fetch" CACHE STRING "" FORCE)
endif()
# Optimised links run scripts that need Debian's Node.js modules (acorn).
find_path(HS_NODE_MODULES acorn/package.json PATHS /usr/share/nodejs /usr/lib/nodejs
  NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH)
if(HS_NODE_MODULES)
  set(CMAKE_CXX_LINKER_LAUNCHER ${CMAKE_COMMAND} -E env NODE_PATH=${HS_NODE_MODULES})
endif()
