# limn_add_replay_test(NAME GAME RECORDING [WORKING_DIRECTORY dir] [DIFF_FOLDER dir]
#                      [ARGS arg...])
# A test that replays RECORDING against GAME (a target or a program path) as
# built now: it fails when the program does something else than the recording
# shows, or when the recording can't be read or is cut short. The log names
# the first frame that differs; the frame as drawn now and a picture of what
# changed in it (in red) are written to DIFF_FOLDER (by default
# <build>/replay-diffs/NAME).
function(limn_add_replay_test name game recording)
  cmake_parse_arguments(ARG "" "WORKING_DIRECTORY;DIFF_FOLDER" "ARGS" ${ARGN})
  if(TARGET ${game})
    set(program $<TARGET_FILE:${game}>)
  else()
    set(program ${game})
  endif()
  cmake_path(ABSOLUTE_PATH recording BASE_DIRECTORY ${CMAKE_CURRENT_SOURCE_DIR})
  if(NOT ARG_DIFF_FOLDER)
    set(ARG_DIFF_FOLDER ${CMAKE_CURRENT_BINARY_DIR}/replay-diffs/${name})
  endif()
  if(NOT ARG_WORKING_DIRECTORY)
    set(ARG_WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR})
  endif()
  add_test(NAME ${name}
    COMMAND ${CMAKE_COMMAND} -E env LIMN_REPLAY=${recording} LIMN_REPLAY_DIFF=${ARG_DIFF_FOLDER}/
            SDL_AUDIODRIVER=dummy ${program} ${ARG_ARGS}
    WORKING_DIRECTORY ${ARG_WORKING_DIRECTORY})
  set_tests_properties(${name} PROPERTIES LABELS replay)
endfunction()
