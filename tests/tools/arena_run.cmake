# Runs the arena on a fixed seed with a small turn limit: it must print a
# table row and a last "LEVEL wins W of N" line for every level, in the order
# the players name them; and a bad argument must give one line and exit 2.
set(levels hard normal easy passive random)
set(games 3)
execute_process(COMMAND "${ARENA}" --games ${games} --seed 7 --players hard,normal,easy,passive,random
                        --turn-limit 60 --jobs 2
                RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE progress)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "brennolt_arena failed (${result}): ${progress}")
endif()
if(NOT progress MATCHES "${games} of ${games} games")
  message(FATAL_ERROR "no progress reaching the last game on standard error: ${progress}")
endif()

string(REGEX REPLACE "\n$" "" output "${output}")
string(REPLACE "\n" ";" lines "${output}")
list(LENGTH lines count)
list(LENGTH levels levelCount)
math(EXPR expected "1 + 2 * ${levelCount}")
if(NOT count EQUAL expected)
  message(FATAL_ERROR "expected a header, ${levelCount} rows and ${levelCount} last lines:\n${output}")
endif()
list(GET lines 0 header)
if(NOT header MATCHES "^level +games +wins +draws +mean rounds +median turn ms +slowest turn ms$")
  message(FATAL_ERROR "not the table's header: ${header}")
endif()
set(winsTotal 0)
set(index 0)
foreach(level IN LISTS levels)
  math(EXPR rowIndex "1 + ${index}")
  math(EXPR lastIndex "1 + ${levelCount} + ${index}")
  list(GET lines ${rowIndex} row)
  list(GET lines ${lastIndex} last)
  if(NOT row MATCHES "^${level} +${games} +[0-9]+ +[0-9]+ +[0-9.]+ +[0-9.]+ +[0-9.]+$")
    message(FATAL_ERROR "not a table row of ${level}: ${row}")
  endif()
  if(NOT last MATCHES "^${level} wins ([0-9]+) of ${games}$")
    message(FATAL_ERROR "not the last line of ${level}: ${last}")
  endif()
  math(EXPR winsTotal "${winsTotal} + ${CMAKE_MATCH_1}")
  math(EXPR index "${index} + 1")
endforeach()
if(winsTotal GREATER games)
  message(FATAL_ERROR "more wins than games:\n${output}")
endif()

execute_process(COMMAND "${ARENA}" --games 3 --seed 7 --players hard,sleepy
                RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE problem)
string(REGEX MATCHALL "\n" newlines "${problem}")
list(LENGTH newlines problemLines)
if(NOT result EQUAL 2 OR NOT problemLines EQUAL 1 OR NOT problem MATCHES "sleepy"
   OR NOT output STREQUAL "")
  message(FATAL_ERROR "a bad level gave exit ${result}, output \"${output}\", error \"${problem}\"")
endif()

# Three machines in one process, the computer's seats spread over them, the
# joiners dropping out at turn screens and coming back: every game goes on
# to its end, keeps the rules, and every joiner's game is the host's after
# every command of the stream it was there for.
execute_process(COMMAND "${ARENA}" --games 2 --seed 11 --players hard,normal,easy --machines 3
                        --drops 0.1 --turn-limit 40 --jobs 2
                RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE progress)
if(NOT result EQUAL 0 OR NOT output MATCHES "machines 3: [1-9][0-9]* commands, 0 mismatches, 0 repairs"
   OR NOT output MATCHES "\n[1-9][0-9]* drops, [1-9][0-9]* rejoins, [1-9][0-9]* seats back, 0 games stalled, 0 commands broke a rule")
  message(FATAL_ERROR "three machines disagreed (exit ${result}):\n${output}")
endif()
