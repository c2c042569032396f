# The same program built for 64-bit Windows. The shipped program is the 32-bit build;
# this one runs the tests on machines that cannot execute 32-bit code.
set(MINGW_TRIPLE x86_64-w64-mingw32)
set(CMAKE_SYSTEM_PROCESSOR AMD64)
include(${CMAKE_CURRENT_LIST_DIR}/MingwToolchain.cmake)
