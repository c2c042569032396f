# Third-party libraries built from Debian source packages with the same toolchain.
include(${CMAKE_CURRENT_LIST_DIR}/DebianSources.cmake)

# ---- SQLite 3 (amalgamation, serialized threading) ----------------------------
debian_source(sqlite3 SQLITE_SRC)
sqlite_amalgamation("${SQLITE_SRC}" SQLITE_AMALG)
add_library(sqlite3 STATIC "${SQLITE_AMALG}/sqlite3.c")
target_include_directories(sqlite3 SYSTEM PUBLIC "${SQLITE_AMALG}")
target_compile_definitions(sqlite3
  PRIVATE SQLITE_THREADSAFE=1 SQLITE_DEFAULT_MEMSTATUS=0 SQLITE_DQS=0 SQLITE_OMIT_LOAD_EXTENSION)
target_compile_options(sqlite3 PRIVATE -w -O2)

# ---- zlib (Debian's libz-mingw-w64-dev, static) + minizip from zlib's source --
set(ZLIB_USE_STATIC_LIBS ON)
find_package(ZLIB REQUIRED)
debian_source(zlib ZLIB_SRC)
set(MZ "${ZLIB_SRC}/contrib/minizip")
add_library(minizip STATIC "${MZ}/unzip.c" "${MZ}/ioapi.c" "${MZ}/iowin32.c")
target_include_directories(minizip SYSTEM PUBLIC "${MZ}")
target_link_libraries(minizip PUBLIC ZLIB::ZLIB)
target_compile_options(minizip PRIVATE -w)

# ---- LodePNG -------------------------------------------------------------------
debian_source(lodepng LODEPNG_SRC)
add_library(lodepng STATIC "${LODEPNG_SRC}/lodepng.cpp")
target_include_directories(lodepng SYSTEM PUBLIC "${LODEPNG_SRC}")
target_compile_options(lodepng PRIVATE -w)

# ---- hidapi: the Windows backend as its own hidapi.dll ---------------------------
# It goes to a folder of its own: bin/ holds the simulated keyboard's hidapi.dll,
# which the tests and the demo run load in its place.
debian_source(hidapi HIDAPI_SRC)
set(HIDAPI_INCLUDE_DIR "${HIDAPI_SRC}/hidapi")
add_library(hidapi SHARED "${HIDAPI_SRC}/windows/hid.c")
target_include_directories(hidapi SYSTEM PUBLIC "${HIDAPI_SRC}/hidapi" "${HIDAPI_SRC}/windows")
target_compile_options(hidapi PRIVATE -w)
set_target_properties(hidapi PROPERTIES PREFIX "" OUTPUT_NAME hidapi
  ARCHIVE_OUTPUT_DIRECTORY "${CMAKE_BINARY_DIR}/hidapi-real"
  RUNTIME_OUTPUT_DIRECTORY "${CMAKE_BINARY_DIR}/hidapi-real")

# ---- GoogleTest from Debian's googletest package ---------------------------------
if(BUILD_TESTING)
  set(GTEST_SRC_DIR /usr/src/googletest CACHE PATH "GoogleTest sources (Debian package googletest)")
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  set(BUILD_GMOCK ON CACHE BOOL "" FORCE)
  set(gtest_disable_pthreads OFF CACHE BOOL "" FORCE)
  add_subdirectory("${GTEST_SRC_DIR}" "${CMAKE_BINARY_DIR}/_googletest" EXCLUDE_FROM_ALL SYSTEM)
endif()

# ---- Google Benchmark from its Debian source package (benchmarks only) -------------
if(QUENBY_BENCHMARKS)
  debian_source(benchmark BENCHMARK_SRC)
  set(BENCHMARK_ENABLE_TESTING OFF CACHE BOOL "" FORCE)
  set(BENCHMARK_ENABLE_GTEST_TESTS OFF CACHE BOOL "" FORCE)
  set(BENCHMARK_ENABLE_INSTALL OFF CACHE BOOL "" FORCE)
  set(BENCHMARK_ENABLE_WERROR OFF CACHE BOOL "" FORCE)
  set(BENCHMARK_ENABLE_LTO OFF CACHE BOOL "" FORCE)
  set(BENCHMARK_USE_BUNDLED_GTEST OFF CACHE BOOL "" FORCE)
  set(GIT_VERSION "0.0.0")  # the Debian tree carries no git metadata: use the project version
  add_subdirectory("${BENCHMARK_SRC}" "${CMAKE_BINARY_DIR}/_benchmark" EXCLUDE_FROM_ALL SYSTEM)
  # Its Windows system-name probe only compiles with narrow Win32 calls.
  target_compile_options(benchmark PRIVATE -UUNICODE -U_UNICODE -w)
endif()
