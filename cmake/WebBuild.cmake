# The WebAssembly tree beside a desktop build: build/web, configured with the
# emscripten toolchain and built by `cmake --build build --target web` (and by the
# test `web.Build`, which the web tests need first). See cmake/Web.cmake.
find_program(LIMN_EMCMAKE emcmake)
find_program(LIMN_NODE_FOR_WEB NAMES node nodejs)
set(LIMN_WEB_DEFAULT OFF)
if(LIMN_EMCMAKE AND LIMN_NODE_FOR_WEB AND LIMN_DESKTOP AND NOT LIMN_SANITIZE)
  set(LIMN_WEB_DEFAULT ON)
endif()
option(LIMN_WEB_TESTS "Build limn for WebAssembly too and run its tests under Node (ctest -L web)"
       ${LIMN_WEB_DEFAULT})

set(LIMN_WEB_BINARY_DIR ${PROJECT_BINARY_DIR}/web)
# The pages of the examples read the game's pictures that this tree writes.
set(LIMN_WEB_BUILD_COMMAND
  ${CMAKE_COMMAND} -DSOURCE=${PROJECT_SOURCE_DIR} -DBINARY=${LIMN_WEB_BINARY_DIR}
  "-DLAUNCHER=${CMAKE_CXX_COMPILER_LAUNCHER}" "-DGAME_DATA=${LIMN_GAME_DATA_DIR}"
  -P ${PROJECT_SOURCE_DIR}/cmake/WebBuildTree.cmake)
if(LIMN_WEB_TESTS)
  add_custom_target(web COMMAND ${LIMN_WEB_BUILD_COMMAND} USES_TERMINAL VERBATIM)
  if(LIMN_GAME)
    add_dependencies(web game_assets)
  endif()
endif()
