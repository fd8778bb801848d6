# The English words are complete: lupdate, run on the sources into a copy of
# translations/mkd_en.ts (the repository's file stays as it is), finds no word
# without its English ("unfinished") and no English for a word the screens no
# longer have ("vanished", "obsolete").
#
#   cmake -DLUPDATE=path -DTS=translations/mkd_en.ts -DINCLUDE=src -DSOURCES="a.cpp|b.cpp" -DWORK=dir -P check_translations.cmake
string(REPLACE "|" ";" sources "${SOURCES}")
set(copy ${WORK}/mkd_en_check.ts)
file(COPY_FILE ${TS} ${copy})
execute_process(COMMAND ${LUPDATE} -locations none -I ${INCLUDE} ${sources} -ts ${copy}
                RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "lupdate failed (${status}):\n${out}${err}")
endif()
file(STRINGS ${copy} lines ENCODING UTF-8)
set(problems "")
set(source "")
foreach(line IN LISTS lines)
  if(line MATCHES "<source>(.*)</source>")
    set(source "${CMAKE_MATCH_1}")
  elseif(line MATCHES "type=\"(unfinished|vanished|obsolete)\"")
    string(APPEND problems "  ${CMAKE_MATCH_1}: ${source}\n")
  endif()
endforeach()
if(problems)
  message(FATAL_ERROR "translations/mkd_en.ts is not up to date with the sources:\n${problems}"
                      "Run `cmake --build build --target update_translations` and translate what it marks.")
endif()
