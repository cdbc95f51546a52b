# cmake -DEXECUTABLE=... -DNAME=... -DOUTPUT=... -DENVIRONMENT=... -P qtest_discover.cmake
# Lists the test functions of a QtTest executable and writes one CTest entry per function, so
# that a failure names the function.
set(ENV{QT_QPA_PLATFORM} offscreen)
set(ENV{ASAN_OPTIONS} detect_leaks=0)
execute_process(COMMAND "${EXECUTABLE}" -functions
  OUTPUT_VARIABLE listing RESULT_VARIABLE result ERROR_VARIABLE errors)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "Listing the test functions of ${EXECUTABLE} failed (${result}):\n${errors}")
endif()
string(REPLACE "\n" ";" lines "${listing}")
set(content "")
foreach(line IN LISTS lines)
  if(line MATCHES "^([A-Za-z_][A-Za-z0-9_]*)\\(\\)$")
    set(function "${CMAKE_MATCH_1}")
    string(APPEND content
      "add_test([=[${NAME}.${function}]=] [=[${EXECUTABLE}]=] [=[${function}]=])\n"
      "set_tests_properties([=[${NAME}.${function}]=] PROPERTIES ENVIRONMENT [=[${ENVIRONMENT}]=] TIMEOUT 120)\n")
  endif()
endforeach()
if(content STREQUAL "")
  message(FATAL_ERROR "${EXECUTABLE} lists no test functions")
endif()
file(WRITE "${OUTPUT}" "${content}")
