# Installs the built library to a temporary prefix, checks what a host receives, builds the
# consumer project against the package and runs it: from the prefix, from a copy of the
# prefix moved elsewhere, and from that copy with its resources and databases taken away.
cmake_minimum_required(VERSION 3.25)

if(DEFINED ENV{TMPDIR} AND IS_DIRECTORY "$ENV{TMPDIR}")
  set(_tmp "$ENV{TMPDIR}")
else()
  set(_tmp /tmp)
endif()
string(RANDOM LENGTH 10 _tag)
set(root "${_tmp}/vyr-install-${_tag}")
set(prefix "${root}/prefix")
file(REMOVE_RECURSE "${root}")
file(MAKE_DIRECTORY "${root}")

function(fail what)
  file(REMOVE_RECURSE "${root}")
  message(FATAL_ERROR "${what}")
endfunction()

# run(<what> COMMAND ... [DIR d]): runs a command, fails the test when it fails; its output
# is left in OUT and ERR.
function(run what)
  cmake_parse_arguments(A "" "DIR" "COMMAND" ${ARGN})
  if(NOT A_DIR)
    set(A_DIR "${root}")
  endif()
  execute_process(COMMAND ${A_COMMAND} WORKING_DIRECTORY "${A_DIR}"
    RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
  if(NOT rc EQUAL 0)
    fail("${what} failed (${rc}):\n${out}\n${err}")
  endif()
  set(OUT "${out}" PARENT_SCOPE)
  set(ERR "${err}" PARENT_SCOPE)
endfunction()

run("install" COMMAND ${CMAKE_COMMAND} --install "${VYR_BINARY_DIR}" --prefix "${prefix}")

# One library for a host to link, and no static archive.
file(GLOB_RECURSE _libs RELATIVE "${prefix}" "${prefix}/lib*/*.so*" "${prefix}/lib*/*.a")
set(_real "")
foreach(l IN LISTS _libs)
  if(NOT IS_SYMLINK "${prefix}/${l}")
    list(APPEND _real "${l}")
  endif()
endforeach()
list(LENGTH _real _n)
if(NOT _n EQUAL 1 OR NOT _real MATCHES "libvyrui\\.so")
  fail("the prefix should hold libvyrui.so alone, it holds: ${_real}")
endif()

# Stripped unless the build asked for the library as built.
if(EXPECT_STRIPPED AND READELF)
  run("reading the library's sections" COMMAND "${READELF}" -S -W "${prefix}/${_real}")
  if(OUT MATCHES "\\.debug_info|\\.symtab")
    fail("the installed ${_real} keeps its debugging information or symbol table")
  endif()
endif()

# Every file an installed header or resource script includes by a relative name is there
# beside it; every <vyr/...> an installed header includes is installed.
file(GLOB_RECURSE _headers "${prefix}/include/vyr/*.h")
file(GLOB_RECURSE _scripts "${prefix}/share/vyr/resources/*.rc" "${prefix}/share/vyr/resources/*.h")
if(NOT _headers OR NOT _scripts)
  fail("no headers or no resource scripts installed")
endif()
set(_missing "")
foreach(f IN LISTS _headers _scripts)
  get_filename_component(_dir "${f}" DIRECTORY)
  file(STRINGS "${f}" _incs REGEX "^[ \t]*#[ \t]*include[ \t]*[\"<]")
  foreach(line IN LISTS _incs)
    if(line MATCHES "#[ \t]*include[ \t]*\"([^\"]+)\"")
      if(NOT EXISTS "${_dir}/${CMAKE_MATCH_1}")
        list(APPEND _missing "${f}: \"${CMAKE_MATCH_1}\"")
      endif()
    elseif(line MATCHES "#[ \t]*include[ \t]*<(vyr/[^>]+)>")
      if(NOT EXISTS "${prefix}/include/${CMAKE_MATCH_1}")
        list(APPEND _missing "${f}: <${CMAKE_MATCH_1}>")
      endif()
    endif()
  endforeach()
endforeach()
if(_missing)
  string(REPLACE ";" "\n" _missing "${_missing}")
  fail("installed files include what is not installed beside them:\n${_missing}")
endif()

# The consumer in a folder of its own, configured against the package alone.
file(COPY "${CONSUMER_SOURCE}/" DESTINATION "${root}/consumer")
file(RENAME "${root}/consumer/CMakeLists.txt.in" "${root}/consumer/CMakeLists.txt")
set(_flags "")
if(CONSUMER_FLAGS)
  set(_flags "-DCMAKE_CXX_FLAGS=${CONSUMER_FLAGS}" "-DCMAKE_EXE_LINKER_FLAGS=${CONSUMER_FLAGS}")
endif()
run("configuring the consumer" COMMAND ${CMAKE_COMMAND} -S "${root}/consumer" -B "${root}/consumer-build"
  -G "${CONSUMER_GENERATOR}" "-DCMAKE_CXX_COMPILER=${CONSUMER_CXX}" "-DCMAKE_PREFIX_PATH=${prefix}"
  -DCMAKE_BUILD_TYPE=RelWithDebInfo ${_flags})
run("building the consumer" COMMAND ${CMAKE_COMMAND} --build "${root}/consumer-build")
set(consumer "${root}/consumer-build/consumer")

# Run from the prefix, the source tree's resources out of reach.
run("the consumer on the installed prefix" COMMAND ${CMAKE_COMMAND} -E env --unset=VYR_RESOURCE_DIR
  "${consumer}" --installed "${prefix}/share/vyr/resources")
message(STATUS "${OUT}")

# The prefix moved elsewhere still finds its resources beside the library.
set(moved "${root}/moved")
file(RENAME "${prefix}" "${moved}")
file(GLOB _libdirs LIST_DIRECTORIES true "${moved}/lib*")
run("the consumer on the moved prefix" COMMAND ${CMAKE_COMMAND} -E env --unset=VYR_RESOURCE_DIR
  "LD_LIBRARY_PATH=${_libdirs}" "${consumer}" --installed "${moved}/share/vyr/resources")

# Without resources or databases: nothing found, one message naming the places looked at,
# and the section database missing from both its places.
file(REMOVE_RECURSE "${moved}/share/vyr/resources" "${moved}/share/vyr/DataBase")
run("the consumer without resources" COMMAND ${CMAKE_COMMAND} -E env --unset=VYR_RESOURCE_DIR
  "LD_LIBRARY_PATH=${_libdirs}" "${consumer}" --missing "${moved}/share/vyr")
string(REGEX MATCHALL "no resource folder" _told "${ERR}")
list(LENGTH _told _nt)
string(FIND "${ERR}" "${moved}/share/vyr/resources" _named)
if(NOT _nt EQUAL 1 OR _named LESS 0)
  fail("expected one message naming ${moved}/share/vyr/resources, got:\n${ERR}")
endif()

file(REMOVE_RECURSE "${root}")
