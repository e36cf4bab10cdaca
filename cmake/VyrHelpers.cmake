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

# vyr_parts_closure(out parts...): the parts with every part they link, transitively. A
# program receives an object library's objects only when it links that part itself, so a
# program that uses the host links, through this, the areas the host stands on and no
# others.
function(vyr_parts_closure out)
  set(_todo ${ARGN})
  set(_done "")
  while(_todo)
    list(POP_FRONT _todo p)
    if(p IN_LIST _done)
      continue()
    endif()
    list(APPEND _done ${p})
    if(TARGET ${p})
      get_target_property(_type ${p} TYPE)
      if(_type STREQUAL "OBJECT_LIBRARY")
        get_target_property(_deps ${p} LINK_LIBRARIES)
        foreach(d IN LISTS _deps)
          if(TARGET ${d})
            get_target_property(_dtype ${d} TYPE)
            if(_dtype STREQUAL "OBJECT_LIBRARY")
              list(APPEND _todo ${d})
            endif()
          endif()
        endforeach()
      endif()
    endif()
  endwhile()
  set(${out} ${_done} PARENT_SCOPE)
endfunction()

# vyr_link_parts(target parts...): links the parts and what they stand on (PRIVATE).
function(vyr_link_parts target)
  vyr_parts_closure(_parts ${ARGN})
  target_link_libraries(${target} PRIVATE ${_parts})
endfunction()

# vyr_add_test(name [BARE] SOURCES ... LIBS ...): a GoogleTest executable registered with
# CTest. Its main links the library into the resource chain first (InitVyrUI), as a host
# does after loading it; BARE takes GoogleTest's plain main instead.
function(vyr_add_test name)
  cmake_parse_arguments(A "BARE" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${A_SOURCES})
  if(A_BARE)
    set(_main GTest::gtest_main)
  else()
    set(_main vyr_test_main)
  endif()
  vyr_parts_closure(_libs ${A_LIBS})
  target_link_libraries(${name} PRIVATE ${_libs} GTest::gtest GTest::gmock ${_main})
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/tests)
  target_compile_definitions(${name} PRIVATE
    VYR_SOURCE_DIR="${PROJECT_SOURCE_DIR}" VYR_BINARY_DIR="${PROJECT_BINARY_DIR}")
  gtest_discover_tests(${name} DISCOVERY_TIMEOUT 120
    PROPERTIES ENVIRONMENT "VYR_SOURCE_DIR=${PROJECT_SOURCE_DIR}")
endfunction()
