# cmake -DSOURCE=dir -DBINARY=dir [-DLAUNCHER=ccache] [-DGAME_DATA=dir] -P WebBuildTree.cmake:
# configures (until a configure succeeds) and builds limn's WebAssembly tree in BINARY
# with the emscripten toolchain, the examples as pages (those reading the game's
# pictures from GAME_DATA, a desktop tree's, when they are there).
if(DEFINED ENV{NODE_PATH})
  set(ENV{NODE_PATH} "$ENV{NODE_PATH}:/usr/share/nodejs")
else()
  set(ENV{NODE_PATH} /usr/share/nodejs)
endif()
# A configure that failed leaves a cache but no Makefile: configure again then.
if(NOT EXISTS ${BINARY}/Makefile)
  set(launcher)
  if(LAUNCHER)
    set(launcher -DCMAKE_CXX_COMPILER_LAUNCHER=${LAUNCHER} -DCMAKE_C_COMPILER_LAUNCHER=${LAUNCHER})
  endif()
  execute_process(
    COMMAND emcmake ${CMAKE_COMMAND} -S ${SOURCE} -B ${BINARY} -DCMAKE_BUILD_TYPE=Release ${launcher}
            -DLIMN_EXAMPLES=ON "-DLIMN_DESKTOP_GAME_DATA_DIR=${GAME_DATA}"
    COMMAND_ERROR_IS_FATAL ANY)
else()
  # A tree configured before the examples became pages, or for other game data.
  file(STRINGS ${BINARY}/CMakeCache.txt cached REGEX "^(LIMN_EXAMPLES|LIMN_DESKTOP_GAME_DATA_DIR):")
  if(NOT cached MATCHES "LIMN_EXAMPLES:BOOL=ON" OR NOT cached MATCHES "DATA_DIR:[A-Z]*=${GAME_DATA}(;|$)")
    execute_process(
      COMMAND emcmake ${CMAKE_COMMAND} -DLIMN_EXAMPLES=ON "-DLIMN_DESKTOP_GAME_DATA_DIR=${GAME_DATA}"
              ${BINARY}
      COMMAND_ERROR_IS_FATAL ANY)
  endif()
endif()
execute_process(COMMAND ${CMAKE_COMMAND} --build ${BINARY} -j2 COMMAND_ERROR_IS_FATAL ANY)
