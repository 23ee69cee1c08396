# Build settings shared by every folder.
#
# Two builds come from this tree:
#   host  native Linux build of the portable code, Debug, with AddressSanitizer and UBSan
#   win   Windows x64 build of everything (MinGW-w64, static runtime); ctest runs its tests under Wine
# ZV_BENCH=ON (host only) builds the benchmarks instead of the tests' sanitizer settings.

option(ZV_BENCH "Build the native benchmarks (optimised, no sanitizers)" OFF)

if(WIN32)
  set(ZV_WINDOWS ON)
  add_compile_definitions(UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0601 WINVER=0x0601)
  add_compile_options(-Wall -Wextra -Wno-unused-parameter -Wno-missing-field-initializers -Wno-cast-function-type)
  add_link_options(-static -static-libgcc -static-libstdc++)
  if(NOT TARGET gtest)
    set(gtest_force_shared_crt OFF CACHE BOOL "" FORCE)
    set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
    add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
  endif()
  set(ZV_GTEST_MAIN gtest_main gmock)
else()
  set(ZV_WINDOWS OFF)
  add_compile_options(-Wall -Wextra -Wno-unused-parameter -Wno-missing-field-initializers)
  if(NOT ZV_BENCH)
    add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer)
    add_link_options(-fsanitize=address,undefined)
    find_package(GTest REQUIRED)
    set(ZV_GTEST_MAIN GTest::gtest_main GTest::gmock)
  endif()
endif()

# zv_add_test(NAME SOURCES a.cpp b.cpp LIBS lib1 lib2 [WINDOWS_ONLY])
# One test executable, one ctest entry. Under Wine the run must also print GoogleTest's success
# marker: a program that Wine could not start exits 0 without running anything.
function(zv_add_test name)
  cmake_parse_arguments(T "WINDOWS_ONLY" "" "SOURCES;LIBS" ${ARGN})
  if(ZV_BENCH OR (T_WINDOWS_ONLY AND NOT ZV_WINDOWS))
    return()
  endif()
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE ${T_LIBS} ${ZV_GTEST_MAIN})
  add_test(NAME ${name} COMMAND ${name})
  set(fail_re "\\[  FAILED  \\]|ERROR: (Address|Leak|UndefinedBehavior)Sanitizer|runtime error:|Unhandled (page fault|exception)")
  if(ZV_WINDOWS)
    # Wine's heap checker validates every block that is freed: a double free, a free through a stale
    # pointer or a write past a block shows as an err:heap or warn:heap line, and fails the test.
    set_tests_properties(${name} PROPERTIES
      ENVIRONMENT "WINEDEBUG=warn+heap"
      PASS_REGULAR_EXPRESSION "\\[  PASSED  \\]"
      FAIL_REGULAR_EXPRESSION "${fail_re}|err:heap|warn:heap"
      TIMEOUT 300)
  else()
    set_tests_properties(${name} PROPERTIES FAIL_REGULAR_EXPRESSION "${fail_re}" TIMEOUT 300)
  endif()
endfunction()

# zv_add_benchmark(NAME SOURCES ... LIBS ...): native Google Benchmark, built only with ZV_BENCH.
function(zv_add_benchmark name)
  cmake_parse_arguments(B "" "" "SOURCES;LIBS" ${ARGN})
  if(NOT ZV_BENCH OR ZV_WINDOWS)
    return()
  endif()
  find_package(benchmark REQUIRED)
  add_executable(${name} ${B_SOURCES})
  target_link_libraries(${name} PRIVATE ${B_LIBS} benchmark::benchmark)
endfunction()
