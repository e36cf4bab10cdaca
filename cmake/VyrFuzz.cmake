# Fuzzing of the parsers of bytes from outside the program (fuzz/).
#
# VYR_FUZZ=ON is a clang build of its own (build-fuzz/, made by fuzz/build.sh): the code is
# compiled with libFuzzer's coverage and AddressSanitizer + UndefinedBehaviorSanitizer, and
# fuzz/ adds one program per parser; the target vyr_fuzz builds them and only the areas
# they link.
#
# An ordinary build with tests gets the CTest label "fuzz" instead (vyr_add_fuzz_tests):
# fuzz.build configures and builds build-fuzz/ beside the sources, then fuzz.<target> runs
# each program over its corpus plus VYR_FUZZ_SECONDS of new inputs, all in parallel. Where
# clang or libFuzzer is missing they are skipped, saying so.

set(VYR_FUZZ_SECONDS 20 CACHE STRING "Seconds of new inputs per fuzz target in the test suite")

if(VYR_FUZZ)
  if(NOT CMAKE_CXX_COMPILER_ID MATCHES "Clang")
    message(FATAL_ERROR "VYR_FUZZ needs clang (libFuzzer): configure with -DCMAKE_CXX_COMPILER=clang++")
  endif()
  if(VYR_SANITIZE OR VYR_TSAN)
    message(FATAL_ERROR "VYR_FUZZ brings its own sanitizers")
  endif()
  # The fuzz programs replace the suite; their own build needs neither tests nor benchmarks.
  set(VYR_BUILD_TESTS OFF CACHE BOOL "" FORCE)
  set(VYR_BUILD_BENCHMARKS OFF CACHE BOOL "" FORCE)
  add_compile_options(-fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=undefined
                      -fno-omit-frame-pointer)
  # The controls' Create overloads hide CWnd::Create as the class library's own do; clang's
  # -Wall says so for every file that includes them, GCC's does not.
  add_compile_options(-Wno-overloaded-virtual)
  add_link_options(-fsanitize=address,undefined)
endif()

# The fuzz programs: one source each in fuzz/, named after the program.
function(vyr_fuzz_target_names out)
  file(GLOB _srcs CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/fuzz/fuzz_*.cpp)
  set(_names "")
  foreach(s IN LISTS _srcs)
    get_filename_component(n ${s} NAME_WE)
    list(APPEND _names ${n})
  endforeach()
  list(SORT _names)
  set(${out} ${_names} PARENT_SCOPE)
endfunction()

# The label "fuzz" of the ordinary suite. The sanitizer builds leave it to the plain one.
function(vyr_add_fuzz_tests)
  if(VYR_FUZZ OR VYR_SANITIZE OR VYR_TSAN)
    return()
  endif()
  vyr_fuzz_target_names(_names)
  set(_dir ${PROJECT_SOURCE_DIR}/build-fuzz)
  add_test(NAME fuzz.build COMMAND bash ${PROJECT_SOURCE_DIR}/fuzz/build.sh ${_dir})
  # A cold build compiles most of the library under the sanitizers.
  set_tests_properties(fuzz.build PROPERTIES LABELS fuzz FIXTURES_SETUP vyr_fuzz_build
    SKIP_RETURN_CODE 77 TIMEOUT 3600)
  foreach(n IN LISTS _names)
    string(REGEX REPLACE "^fuzz_" "fuzz." _test ${n})
    add_test(NAME ${_test} COMMAND bash ${PROJECT_SOURCE_DIR}/fuzz/run.sh ${_dir} ${n} ${VYR_FUZZ_SECONDS})
    set_tests_properties(${_test} PROPERTIES LABELS fuzz FIXTURES_REQUIRED vyr_fuzz_build
      SKIP_RETURN_CODE 77 TIMEOUT 600)
  endforeach()
endfunction()
