# Run by ctest when it starts (see GtestSuites.cmake): lists the suites of one test
# program - again only when the program or its registration is newer than the list -
# and adds one test per suite.
cmake_policy(PUSH)
cmake_policy(SET CMP0057 NEW)  # if(... IN_LIST ...); ctest reads this file without a project

# Suites with at least one enabled case, from the output of --gtest_list_tests:
#   Suite.                      (a suite; parameterised ones read "Prefix/Suite." or
#     Case                       "Suite/0.  # TypeParam = int")
#     Case/0  # GetParam() = 1
# <result>_CASES gets the number of enabled cases of each suite, in the same order.
function(quenby_gtest_suites_parse output result)
  string(REPLACE "\r" "" output "${output}")
  string(REPLACE ";" "," output "${output}")
  string(REPLACE "\n" ";" lines "${output}")
  set(suites "")
  set(cases "")
  set(suite "")
  foreach(line IN LISTS lines)
    if(line MATCHES "^([^ #][^ ]*)\\.( +#.*)?$")
      set(suite "${CMAKE_MATCH_1}")
      if(suite MATCHES "^DISABLED_")
        set(suite "")
      endif()
    elseif(suite AND line MATCHES "^  ([^ ]+)")
      if(NOT CMAKE_MATCH_1 MATCHES "^DISABLED_")
        list(FIND suites "${suite}" i)
        if(i LESS 0)
          list(APPEND suites "${suite}")
          list(APPEND cases 1)
        else()
          list(GET cases ${i} n)
          math(EXPR n "${n} + 1")
          list(REMOVE_AT cases ${i})
          list(INSERT cases ${i} ${n})
        endif()
      endif()
    endif()
  endforeach()
  set(${result} "${suites}" PARENT_SCOPE)
  set(${result}_CASES "${cases}" PARENT_SCOPE)
endfunction()

# Lists the suites of one program into LIST_FILE unless that list is newer than the
# program, the registration (STAMP) and this script. A program that fails to list leaves no
# LIST_FILE but a report beside it (LIST_FILE.failed). Also run on its own (cmake -P on the
# generated <target>_suites_list.cmake), so that scripts/test can list all programs in
# parallel before ctest starts.
function(quenby_gtest_suites_refresh)
  cmake_parse_arguments(A "" "EXECUTABLE;WORKING_DIRECTORY;LIST_FILE;STAMP" "EMULATOR" ${ARGN})
  if(NOT EXISTS "${A_EXECUTABLE}")
    return()
  endif()
  if(EXISTS "${A_LIST_FILE}"
     AND "${A_LIST_FILE}" IS_NEWER_THAN "${A_EXECUTABLE}"
     AND "${A_LIST_FILE}" IS_NEWER_THAN "${A_STAMP}"
     AND "${A_LIST_FILE}" IS_NEWER_THAN "${CMAKE_CURRENT_FUNCTION_LIST_FILE}")
    return()
  endif()
  execute_process(
    COMMAND ${A_EMULATOR} "${A_EXECUTABLE}" --gtest_list_tests
    WORKING_DIRECTORY "${A_WORKING_DIRECTORY}"
    TIMEOUT 300
    RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
  quenby_gtest_suites_parse("${out}" suites)
  if(NOT rc STREQUAL "0" OR NOT suites)
    file(REMOVE "${A_LIST_FILE}")
    file(WRITE "${A_LIST_FILE}.failed"
      "${A_EXECUTABLE} --gtest_list_tests ended with ${rc} and listed no suite\n${out}\n${err}\n")
    return()
  endif()
  file(REMOVE "${A_LIST_FILE}.failed")
  file(WRITE "${A_LIST_FILE}"
    "set(quenby_listed_suites [==[${suites}]==])\nset(quenby_listed_cases [==[${suites_CASES}]==])\n")
endfunction()

function(quenby_gtest_suites_register)
  cmake_parse_arguments(A "" "TARGET;EXECUTABLE;WORKING_DIRECTORY;LIST_FILE;CMAKE_COMMAND;STAMP"
    "EMULATOR;PROPERTIES" ${ARGN})
  if(NOT EXISTS "${A_EXECUTABLE}")
    add_test("${A_TARGET}_NOT_BUILT" "${A_TARGET}_NOT_BUILT")
    return()
  endif()

  quenby_gtest_suites_refresh(EXECUTABLE "${A_EXECUTABLE}" EMULATOR ${A_EMULATOR}
    WORKING_DIRECTORY "${A_WORKING_DIRECTORY}" LIST_FILE "${A_LIST_FILE}" STAMP "${A_STAMP}")
  if(NOT EXISTS "${A_LIST_FILE}")
    # Reported as one failing test (it prints what the program said) rather than ending
    # the whole run; the list is tried again by the next run.
    add_test("${A_TARGET}_NOT_LISTED" "${A_CMAKE_COMMAND}" -E cat "${A_LIST_FILE}.failed")
    set_tests_properties("${A_TARGET}_NOT_LISTED" PROPERTIES WILL_FAIL TRUE ${A_PROPERTIES})
    return()
  endif()

  # The TIMEOUT given is a time per case, as when every case ran on its own: a suite gets
  # it once per case, at most 10 minutes (a suite that hangs must not eat the CI's time).
  set(timeout "")
  set(props "")
  set(key "")
  foreach(item IN LISTS A_PROPERTIES)
    if(key STREQUAL "TIMEOUT")
      set(timeout "${item}")
    elseif(key)
      list(APPEND props "${key}" "${item}")
    endif()
    if(key)
      set(key "")
    else()
      set(key "${item}")
    endif()
  endforeach()

  include("${A_LIST_FILE}")
  get_property(taken GLOBAL PROPERTY QUENBY_GTEST_SUITE_NAMES)
  set(index 0)
  foreach(suite IN LISTS quenby_listed_suites)
    set(suite_props ${props})
    if(timeout)
      list(GET quenby_listed_cases ${index} cases)
      math(EXPR suite_timeout "${timeout} * ${cases}")
      if(suite_timeout GREATER 600)
        set(suite_timeout 600)
      endif()
      list(APPEND suite_props TIMEOUT ${suite_timeout})
    endif()
    math(EXPR index "${index} + 1")
    set(name "${suite}")
    if(name IN_LIST taken)
      set(name "${A_TARGET}:${suite}")
    endif()
    list(APPEND taken "${name}")
    add_test("${name}" ${A_EMULATOR} "${A_EXECUTABLE}" "--gtest_filter=${suite}.*")
    set_tests_properties("${name}" PROPERTIES WORKING_DIRECTORY "${A_WORKING_DIRECTORY}" ${suite_props})
  endforeach()
  set_property(GLOBAL PROPERTY QUENBY_GTEST_SUITE_NAMES "${taken}")
endfunction()

cmake_policy(POP)
