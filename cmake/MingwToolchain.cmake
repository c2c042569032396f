# Debian's mingw-w64 cross compiler for MINGW_TRIPLE, POSIX thread model
# (the default win32 model has no std::thread/std::mutex in GCC 12).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_C_COMPILER   /usr/bin/${MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER /usr/bin/${MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER  /usr/bin/${MINGW_TRIPLE}-windres)
set(CMAKE_AR           /usr/bin/${MINGW_TRIPLE}-gcc-ar-posix CACHE FILEPATH "")
set(CMAKE_RANLIB       /usr/bin/${MINGW_TRIPLE}-gcc-ranlib-posix CACHE FILEPATH "")
set(CMAKE_STRIP        /usr/bin/${MINGW_TRIPLE}-strip CACHE FILEPATH "")
set(CMAKE_OBJDUMP      /usr/bin/${MINGW_TRIPLE}-objdump CACHE FILEPATH "")

set(CMAKE_FIND_ROOT_PATH /usr/${MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Every test executable runs through this (it picks the 32- or 64-bit Wine loader).
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/wine-run.sh)
