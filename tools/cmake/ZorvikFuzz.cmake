# Shared by the fuzz projects. Each is a project of its own, built with clang by tools/fuzz.sh (the
# main build's compilers cannot link libFuzzer); after its project() it includes this file, which
# sets ZV_ROOT (the tree's root) and the language standard.
get_filename_component(ZV_ROOT ${CMAKE_CURRENT_LIST_DIR}/../.. ABSOLUTE)
set(CMAKE_CXX_STANDARD 20)
set(CMAKE_CXX_STANDARD_REQUIRED ON)

# The code under test is instrumented for coverage and the sanitizers but gets no main of its own;
# the targets link libFuzzer's.
set(ZV_FUZZ_INSTRUMENT -g -O1 -fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=undefined
                       -fno-omit-frame-pointer)
set(ZV_FUZZ_LINK -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer)

# zv_fuzz_library(NAME SOURCES ... [LIBS ...]): the code the targets drive, found from the root.
function(zv_fuzz_library name)
  cmake_parse_arguments(F "" "" "SOURCES;LIBS" ${ARGN})
  add_library(${name} STATIC ${F_SOURCES})
  target_include_directories(${name} PUBLIC ${ZV_ROOT})
  target_compile_options(${name} PUBLIC ${ZV_FUZZ_INSTRUMENT})
  if(F_LIBS)
    target_link_libraries(${name} PUBLIC ${F_LIBS})
  endif()
endfunction()

# zv_fuzz_targets(LIBRARY TARGET...): each target made from the .cpp of its name, on the library.
function(zv_fuzz_targets library)
  foreach(target ${ARGN})
    add_executable(${target} ${target}.cpp)
    target_compile_options(${target} PRIVATE ${ZV_FUZZ_LINK})
    target_link_options(${target} PRIVATE ${ZV_FUZZ_LINK})
    target_link_libraries(${target} PRIVATE ${library})
  endforeach()
endfunction()
