# The random user compares every amount it sees with the core's answer. With
# reserved-seat files of one record each, the screens price the records a
# file lacks from the season loaded before, while the core, asked afresh,
# reads them as 0: some seed soon shows a busy-season charge for a normal-
# season enquiry, and the random user must stop there and say so.
#
#   cmake -DSCENARIO=path/to/mkd-scenario -DTABLES=tests/tables/formula -DWORK=dir -P soak_compares.cmake
set(tables ${WORK}/short_reserved)
file(REMOVE_RECURSE ${tables})
file(COPY ${TABLES}/Untin DESTINATION ${tables})
foreach(name SiteiT SiteiK KSiteiT KSiteiK)
  file(STRINGS ${tables}/Untin/${name}.txt records LIMIT_COUNT 1)
  file(WRITE ${tables}/Untin/${name}.txt "${records}\r\n")
endforeach()

foreach(seed RANGE 1 40)
  execute_process(COMMAND ${SCENARIO} --appdir ${tables} --today 2007-08-12 --monkey 5000 --seed ${seed}
                  RESULT_VARIABLE status OUTPUT_VARIABLE report)
  if(status EQUAL 1)
    if(NOT report MATCHES "the core's answer to the same request is")
      message(FATAL_ERROR "seed ${seed} broke another check:\n${report}")
    endif()
    string(REGEX MATCH "^[^\n]*" first "${report}")
    message(STATUS "${first}")
    return()
  endif()
endforeach()
message(FATAL_ERROR "no seed found the screens and the core disagreeing")
