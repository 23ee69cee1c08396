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

# zv_type_library(NAME IDL file [HEADER_DIR dir] [FINISH command...] [FINISH_DEPENDS file...])
# Compiles an IDL file with widl, Windows builds only: the type library ${CMAKE_CURRENT_BINARY_DIR}/NAME.tlb
# (then changed in place by the FINISH command, when given) and the header NAMEIdl.h with
# its identifiers NAMEIdl_i.c, included as "HEADER_DIR/NAMEIdl.h" (default: this folder's path in the
# tree). Sets NAME_TLB and NAME_IDL_SOURCES (header and identifiers) in the caller's scope.
function(zv_type_library name)
  cmake_parse_arguments(L "" "IDL;HEADER_DIR" "FINISH;FINISH_DEPENDS" ${ARGN})
  find_program(ZV_WIDL NAMES x86_64-w64-mingw32-widl widl REQUIRED)
  if(NOT L_HEADER_DIR)
    file(RELATIVE_PATH L_HEADER_DIR ${PROJECT_SOURCE_DIR} ${CMAKE_CURRENT_SOURCE_DIR})
  endif()
  set(gen ${CMAKE_BINARY_DIR}/generated/${L_HEADER_DIR})
  set(tlb ${CMAKE_CURRENT_BINARY_DIR}/${name}.tlb)
  # Wine's IDL files and type libraries stand in for the SDK's, which Debian's MinGW does not ship.
  set(widl_flags -m64 -I /usr/include/wine/wine/windows -L /usr/lib/x86_64-linux-gnu/wine/x86_64-windows)
  set(finish)
  if(L_FINISH)
    set(finish COMMAND ${L_FINISH})
  endif()
  add_custom_command(
    OUTPUT ${tlb}
    COMMAND ${ZV_WIDL} ${widl_flags} -t -o ${tlb} ${L_IDL}
    ${finish}
    DEPENDS ${L_IDL} ${L_FINISH_DEPENDS}
    VERBATIM)
  add_custom_command(
    OUTPUT ${gen}/${name}Idl.h ${gen}/${name}Idl_i.c
    COMMAND ${CMAKE_COMMAND} -E make_directory ${gen}
    COMMAND ${ZV_WIDL} ${widl_flags} -h -o ${gen}/${name}Idl.h ${L_IDL}
    COMMAND ${ZV_WIDL} ${widl_flags} -u -o ${gen}/${name}Idl_i.c ${L_IDL}
    DEPENDS ${L_IDL}
    VERBATIM)
  set_source_files_properties(${gen}/${name}Idl_i.c PROPERTIES LANGUAGE C)
  set(${name}_TLB ${tlb} PARENT_SCOPE)
  set(${name}_IDL_SOURCES ${gen}/${name}Idl_i.c ${gen}/${name}Idl.h PARENT_SCOPE)
endfunction()

# zv_com_library_file(NAME SOURCES ... LIBS ... [RESOURCE_DEPENDS file...])
# A self-registering in-process COM server, NAME.dll: the shared entry points, NAME.rc with the type
# library of zv_type_library(NAME ...) embedded, NAME.def, and the given sources, linked privately.
function(zv_com_library_file name)
  cmake_parse_arguments(S "" "" "SOURCES;LIBS;RESOURCE_DEPENDS" ${ARGN})
  add_library(${name} SHARED ${ZV_COM_EXPORTS} ${S_SOURCES} ${name}.rc ${name}.def ${${name}_TLB})
  set_target_properties(${name} PROPERTIES PREFIX "" OUTPUT_NAME ${name})
  target_include_directories(${name} PRIVATE ${CMAKE_CURRENT_SOURCE_DIR} ${CMAKE_CURRENT_BINARY_DIR})
  set_source_files_properties(${name}.rc PROPERTIES OBJECT_DEPENDS "${${name}_TLB};${S_RESOURCE_DEPENDS}")
  target_link_libraries(${name} PRIVATE ${S_LIBS})
endfunction()

# zv_finds_library_file(TARGET LIBRARY MACRO): TARGET is built after the library file LIBRARY of this
# build and names it by MACRO, a wide string literal of its path (tests and benchmarks that load or
# register a server for themselves). Nothing when TARGET is not built here.
function(zv_finds_library_file target library macro)
  if(TARGET ${target})
    add_dependencies(${target} ${library})
    target_compile_definitions(${target} PRIVATE ${macro}=L"$<TARGET_FILE:${library}>")
  endif()
endfunction()
