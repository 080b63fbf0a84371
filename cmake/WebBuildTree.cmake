# cmake -DSOURCE=dir -DBINARY=dir [-DLAUNCHER=ccache] -P WebBuildTree.cmake: configures
# (until a configure succeeds) and builds limn's WebAssembly tree in BINARY with the
# emscripten toolchain.
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
    COMMAND_ERROR_IS_FATAL ANY)
endif()
execute_process(COMMAND ${CMAKE_COMMAND} --build ${BINARY} -j2 COMMAND_ERROR_IS_FATAL ANY)
