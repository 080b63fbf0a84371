# Replays a damaged recording against the game: the replay must fail the way a
# replay fails (status 1 and the given message), not by crashing.
#   cmake -DGAME=path/to/burrowbop -DRECORDING=file.limnrec -DEXPECT=regex
#         -DDIFF=folder -P ReplayFailureCheck.cmake   (run in the game's data folder)
execute_process(COMMAND ${CMAKE_COMMAND} -E env LIMN_REPLAY=${RECORDING} LIMN_REPLAY_DIFF=${DIFF}/
                        SDL_AUDIODRIVER=dummy ${GAME}
                RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err TIMEOUT 120)
if(NOT status STREQUAL "1")
  message(FATAL_ERROR "exit status ${status}, expected 1\n${out}\n${err}")
endif()
if(NOT err MATCHES "${EXPECT}")
  message(FATAL_ERROR "no line matching '${EXPECT}' on standard error:\n${err}")
endif()
