# quenby_gtest_suites(<target> [PROPERTIES <name> <value> ...])
#
# Registers a GoogleTest executable with ctest as one test per suite: the test "<Suite>"
# runs "<target> --gtest_filter=<Suite>.*" through the cross-compiling emulator, and the
# PROPERTIES are set on each of them (a TIMEOUT is per case: a suite gets it once per case,
# at most 600 s). Every start of a test program is a start of Wine,
# which costs about a second where 32-bit Wine runs under qemu: one start per suite keeps
# the whole run short while ctest still reports, runs in parallel and selects (-R Suite)
# by suite. A single case runs with the program itself:
#   cmake/wine-run.sh build/<arch>/bin/<target>.exe --gtest_filter=Suite.Case
#
# The suites are listed when ctest starts (the program is run with --gtest_list_tests
# once after each build of it), so configuring and building never start Wine. scripts/test
# lists all programs in parallel first (cmake -P <target>_suites_list.cmake each), which
# leaves ctest's own start only the registering.
# A suite name found in an earlier program of the same run is registered as
# "<target>:<Suite>".
set(QUENBY_GTEST_SUITES_SCRIPT ${CMAKE_CURRENT_LIST_DIR}/gtest-suites.cmake)

function(quenby_gtest_suites target)
  cmake_parse_arguments(S "" "" "PROPERTIES" ${ARGN})
  set(base "${CMAKE_CURRENT_BINARY_DIR}/${target}")
  get_property(emulator TARGET ${target} PROPERTY CROSSCOMPILING_EMULATOR)
  if(NOT emulator)
    set(emulator "${CMAKE_CROSSCOMPILING_EMULATOR}")
  endif()
  get_property(workdir TARGET ${target} PROPERTY RUNTIME_OUTPUT_DIRECTORY)
  if(NOT workdir)
    set(workdir "${CMAKE_RUNTIME_OUTPUT_DIRECTORY}")
  endif()
  file(GENERATE OUTPUT "${base}_suites_include.cmake" CONTENT
"include([==[${QUENBY_GTEST_SUITES_SCRIPT}]==])
quenby_gtest_suites_register(
  TARGET [==[${target}]==]
  EXECUTABLE [==[$<TARGET_FILE:${target}>]==]
  EMULATOR [==[${emulator}]==]
  WORKING_DIRECTORY [==[${workdir}]==]
  LIST_FILE [==[${base}_suites.cmake]==]
  STAMP \"\${CMAKE_CURRENT_LIST_FILE}\"
  CMAKE_COMMAND [==[${CMAKE_COMMAND}]==]
  PROPERTIES [==[${S_PROPERTIES}]==])
")
  # The listing alone, for scripts/test to run for all programs at once before ctest.
  file(GENERATE OUTPUT "${base}_suites_list.cmake" CONTENT
"include([==[${QUENBY_GTEST_SUITES_SCRIPT}]==])
quenby_gtest_suites_refresh(
  EXECUTABLE [==[$<TARGET_FILE:${target}>]==]
  EMULATOR [==[${emulator}]==]
  WORKING_DIRECTORY [==[${workdir}]==]
  LIST_FILE [==[${base}_suites.cmake]==]
  STAMP [==[${base}_suites_include.cmake]==])
")
  set_property(DIRECTORY APPEND PROPERTY TEST_INCLUDE_FILES "${base}_suites_include.cmake")
endfunction()
