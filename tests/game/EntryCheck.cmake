# Runs the game where it finds no sounds: the process entry must print the
# escaped error on standard output and end with status 1.
#   cmake -DGAME=path/to/burrowbop -DDIR=empty/folder -P EntryCheck.cmake
file(MAKE_DIRECTORY ${DIR})
execute_process(COMMAND ${GAME} WORKING_DIRECTORY ${DIR} RESULT_VARIABLE status
                OUTPUT_VARIABLE out ERROR_VARIABLE err TIMEOUT 30)
if(NOT status STREQUAL "1")
  message(FATAL_ERROR "exit status ${status}, expected 1\n${out}\n${err}")
endif()
if(NOT out MATCHES "Error : Could not load:sounds/eep.wav\n")
  message(FATAL_ERROR "no error line on standard output:\n${out}")
endif()
