# The random user's report of a broken check replays: run it on tables
# without the express tables (the first express press breaks "no table file
# reported broken"), cut the scenario out of its report, and replay that.
#
#   cmake -DSCENARIO=path/to/mkd-scenario -DTABLES=tests/tables/basic -DWORK=dir -P soak_replay.cmake
execute_process(COMMAND ${SCENARIO} --appdir ${TABLES} --monkey 2000 --seed 3
                RESULT_VARIABLE status OUTPUT_VARIABLE report)
if(NOT status EQUAL 1)
  message(FATAL_ERROR "expected exit status 1 for a broken check, got ${status}:\n${report}")
endif()
string(FIND "${report}" "a table file was reported broken" found)
set(heading "-- a scenario file that replays it --\n")
string(FIND "${report}" "${heading}" marker)
if(found EQUAL -1 OR marker EQUAL -1)
  message(FATAL_ERROR "the report does not say what broke or lacks the scenario:\n${report}")
endif()
string(LENGTH "${heading}" length)
math(EXPR start "${marker} + ${length}")
string(SUBSTRING "${report}" ${start} -1 scenario)
file(WRITE ${WORK}/replay.scn "${scenario}")

# The replay passes its checks (the messages on the way) and ends where the
# run broke: the program ended by the fatal error.
execute_process(COMMAND ${SCENARIO} ${WORK}/replay.scn RESULT_VARIABLE status OUTPUT_VARIABLE replay)
if(NOT status EQUAL 0 OR NOT replay MATCHES "\\(the program is not running\\)\n[0-9]+ passed, 0 failed\n$")
  message(FATAL_ERROR "the replay did not reproduce the run (status ${status}):\n${replay}\n--- scenario ---\n${scenario}")
endif()
