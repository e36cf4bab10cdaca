# vyr_platform_part(name SOURCES ... [LIBS ...]): one area of the platform stand-in.
function(vyr_platform_part name)
  cmake_parse_arguments(A "" "" "SOURCES;LIBS" ${ARGN})
  add_library(${name} OBJECT ${A_SOURCES})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR}/platform/include ${VYR_INCLUDE_ROOT})
  target_link_libraries(${name} PUBLIC Threads::Threads ${A_LIBS})
  set_property(GLOBAL APPEND PROPERTY VYR_PLATFORM_PARTS ${name})
endfunction()

# vyr_system_part(name SOURCES ... [LIBS ...]): one area of the system library.
# Tests may link an area alone (with vyrplatform) so that one area builds without the others.
function(vyr_system_part name)
  cmake_parse_arguments(A "" "" "SOURCES;LIBS" ${ARGN})
  add_library(${name} OBJECT ${A_SOURCES})
  target_include_directories(${name} PUBLIC ${VYR_INCLUDE_ROOT})
  target_link_libraries(${name} PUBLIC vyrplatform ${A_LIBS})
  set_property(GLOBAL APPEND PROPERTY VYR_SYSTEM_PARTS ${name})
endfunction()

# vyr_add_test(name SOURCES ... LIBS ...): a GoogleTest executable registered with CTest.
function(vyr_add_test name)
  cmake_parse_arguments(A "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${A_SOURCES})
  target_link_libraries(${name} PRIVATE ${A_LIBS} GTest::gtest GTest::gmock GTest::gtest_main)
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/tests)
  target_compile_definitions(${name} PRIVATE
    VYR_SOURCE_DIR="${PROJECT_SOURCE_DIR}" VYR_BINARY_DIR="${PROJECT_BINARY_DIR}")
  gtest_discover_tests(${name} DISCOVERY_TIMEOUT 120
    PROPERTIES ENVIRONMENT "VYR_SOURCE_DIR=${PROJECT_SOURCE_DIR}")
endfunction()
