# Fails when the program PROGRAM needs a Qt library, directly or through
# another library: the command-line tools run where Qt is not installed.
#
#   cmake -DPROGRAM=path/to/mkd-fare -P check_no_qt.cmake
if(NOT PROGRAM OR NOT EXISTS "${PROGRAM}")
  message(FATAL_ERROR "no program to check: '${PROGRAM}'")
endif()

find_program(LDD ldd)
find_program(READELF readelf)
if(NOT LDD AND NOT READELF)
  message(FATAL_ERROR "neither ldd nor readelf is available to list the libraries")
endif()

# ldd lists every library the program loads, those of its libraries too;
# readelf -d only the program's own, which is the fallback.
if(LDD)
  execute_process(COMMAND ${LDD} ${PROGRAM} OUTPUT_VARIABLE libraries ERROR_VARIABLE errors RESULT_VARIABLE status)
else()
  execute_process(COMMAND ${READELF} -d ${PROGRAM} OUTPUT_VARIABLE libraries ERROR_VARIABLE errors
                  RESULT_VARIABLE status)
endif()
if(NOT status EQUAL 0)
  message(FATAL_ERROR "cannot list the libraries of ${PROGRAM}: ${errors}")
endif()
# A listing without the C library is no listing at all.
if(NOT libraries MATCHES "libc\\.so")
  message(FATAL_ERROR "unexpected library listing of ${PROGRAM}:\n${libraries}")
endif()
string(REGEX MATCHALL "libQt[0-9A-Za-z_]*" qt "${libraries}")
if(qt)
  list(REMOVE_DUPLICATES qt)
  message(FATAL_ERROR "${PROGRAM} links Qt: ${qt}")
endif()
message(STATUS "${PROGRAM}: no Qt library")
