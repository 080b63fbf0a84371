# The WebAssembly build: configured with the emscripten toolchain
#   emcmake cmake -S . -B build/web -DCMAKE_BUILD_TYPE=Release
# (Debian's emscripten needs NODE_PATH=/usr/share/nodejs). Everything uses C++
# exceptions as on the desktop; programs run under Node (tests) or in a page.
# The system libraries come prebuilt with Debian's package; its ports (SDL2,
# libpng...) download their sources and are never used.
add_compile_options(-fexceptions)
add_link_options(-fexceptions -sALLOW_MEMORY_GROWTH=1)

find_program(LIMN_NODE NAMES node nodejs REQUIRED)
# Node 20 with the fetch of emscripten 3.1.6's loader: the runtime would fetch the
# .wasm file instead of reading it.
set(LIMN_NODE_COMMAND ${LIMN_NODE} --no-experimental-fetch)

# limn_node_program(TARGET): TARGET runs under Node as a command-line program, its exit
# status main's. Its files are in memory (so GoogleTest can capture stdout and stderr
# by redirecting them). Linked at -O1: the code is optimised already, and the
# whole-program passes of -O2 take ten times as long to link a test program.
function(limn_node_program target)
  target_link_options(${target} PRIVATE -sEXIT_RUNTIME=1 -sENVIRONMENT=node -O1)
endfunction()
