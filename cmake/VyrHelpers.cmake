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
  # The library's own classes belong to its module (found through the host's chain); the
  # model areas stand for the model libraries, which the host links itself.
  if(NOT name MATCHES "^vyr_model_")
    target_compile_definitions(${name} PRIVATE VYR_EXTENSION_MODULE=1)
  endif()
  set_property(GLOBAL APPEND PROPERTY VYR_SYSTEM_PARTS ${name})
endfunction()

# vyr_model_parts(out): every area of the model library. The areas depend on each other and
# their list grows, so a program that uses the model links them all.
function(vyr_model_parts out)
  get_property(_parts GLOBAL PROPERTY VYR_SYSTEM_PARTS)
  list(FILTER _parts INCLUDE REGEX "^vyr_model_")
  set(${out} ${_parts} PARENT_SCOPE)
endfunction()

# vyr_host_dialog_parts(out): the areas whose dialogs the host's property keys open. A
# program that links the host area links them too (vyr_add_test adds them itself).
function(vyr_host_dialog_parts out)
  set(_parts "")
  foreach(p vyr_libraries vyr_input vyr_drawing vyr_reports)
    if(TARGET ${p})
      list(APPEND _parts ${p})
    endif()
  endforeach()
  set(${out} ${_parts} PARENT_SCOPE)
endfunction()

# vyr_add_test(name [BARE] SOURCES ... LIBS ...): a GoogleTest executable registered with
# CTest. Its main links the library into the resource chain first (InitVyrUI), as a host
# does after loading it; BARE takes GoogleTest's plain main instead.
function(vyr_add_test name)
  cmake_parse_arguments(A "BARE" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${A_SOURCES})
  if(A_LIBS MATCHES "vyr_host")
    vyr_host_dialog_parts(_dialog_parts)
    foreach(p IN LISTS _dialog_parts)
      if(NOT A_LIBS MATCHES "${p}")
        list(APPEND A_LIBS ${p})
      endif()
    endforeach()
  endif()
  if(A_BARE)
    set(_main GTest::gtest_main)
  else()
    set(_main vyr_test_main)
  endif()
  target_link_libraries(${name} PRIVATE ${A_LIBS} GTest::gtest GTest::gmock ${_main})
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/tests)
  target_compile_definitions(${name} PRIVATE
    VYR_SOURCE_DIR="${PROJECT_SOURCE_DIR}" VYR_BINARY_DIR="${PROJECT_BINARY_DIR}")
  gtest_discover_tests(${name} DISCOVERY_TIMEOUT 120
    PROPERTIES ENVIRONMENT "VYR_SOURCE_DIR=${PROJECT_SOURCE_DIR}")
endfunction()
