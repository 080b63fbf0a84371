# Builds the API reference (the `docs` target runs this at build time, so a
# doxygen installed after CMake ran is found without configuring again).
# Without doxygen it fails and says what to install.
#   cmake -DDOXYFILE=build/Doxyfile -DSOURCE_DIR=. -DOUTPUT=build/docs -P cmake/Docs.cmake
find_program(doxygen_program doxygen NO_CACHE)
if(NOT doxygen_program)
  message(FATAL_ERROR "docs: doxygen is not installed (Debian: apt-get install doxygen); "
                      "no API reference built")
endif()
execute_process(COMMAND ${doxygen_program} ${DOXYFILE} WORKING_DIRECTORY ${SOURCE_DIR}
                RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "docs: doxygen failed (${status})")
endif()
message(STATUS "API reference: ${OUTPUT}/html/index.html")
