# The `docs` script fails clearly without doxygen on the PATH, and runs the
# doxygen it finds there without CMake being configured again.
#   cmake -DDOCS_SCRIPT=cmake/Docs.cmake -DWORK=scratch/folder -P DocsCheck.cmake
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK}/empty ${WORK}/bin)
set(run ${CMAKE_COMMAND} -DDOXYFILE=${WORK}/Doxyfile -DSOURCE_DIR=${WORK} -DOUTPUT=${WORK}/out
        -P ${DOCS_SCRIPT})

execute_process(COMMAND ${CMAKE_COMMAND} -E env PATH=${WORK}/empty ${run}
                RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(status EQUAL 0)
  message(FATAL_ERROR "docs succeeded without doxygen:\n${out}${err}")
endif()
if(NOT err MATCHES "doxygen is not installed")
  message(FATAL_ERROR "no clear message without doxygen:\n${err}")
endif()

# Doxygen "installed" afterwards: a stand-in that notes the Doxyfile it got.
file(WRITE ${WORK}/bin/doxygen "#!/bin/sh\necho \"$1\" > ${WORK}/ran\n")
file(CHMOD ${WORK}/bin/doxygen PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE)
execute_process(COMMAND ${CMAKE_COMMAND} -E env PATH=${WORK}/bin ${run}
                RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT status EQUAL 0 OR NOT EXISTS ${WORK}/ran)
  message(FATAL_ERROR "the doxygen on the PATH was not run (${status}):\n${out}${err}")
endif()
file(READ ${WORK}/ran ran)
if(NOT ran STREQUAL "${WORK}/Doxyfile\n")
  message(FATAL_ERROR "doxygen got \"${ran}\"")
endif()
