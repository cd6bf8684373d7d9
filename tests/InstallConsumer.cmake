# Run with cmake -P (see CMakeLists.txt): installs the built tree into a scratch
# prefix and builds and runs tests/consumer against it in two ways.
cmake_minimum_required(VERSION 3.25)

function(run what)
  execute_process(COMMAND ${ARGN} RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "${what} failed (${rc}):\n${out}\n${err}")
  endif()
  set(last_output "${out}" PARENT_SCOPE)
endfunction()

set(prefix ${WORK_DIR}/prefix)
file(REMOVE_RECURSE ${WORK_DIR})
file(MAKE_DIRECTORY ${WORK_DIR})

run("install" ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${prefix})

# 0. The installed headers stand on their own: none is test support, and every
#    project include of an installed header is installed too.
file(GLOB_RECURSE headers ${prefix}/include/ssl2/*)
foreach(header IN LISTS headers)
  file(STRINGS ${header} includes REGEX "^#include [<\"](gtest|gmock|ssl2)/")
  foreach(line IN LISTS includes)
    string(REGEX REPLACE "^#include [<\"]([^>\"]+)[>\"].*" "\\1" included "${line}")
    if(NOT EXISTS ${prefix}/include/${included})
      message(FATAL_ERROR "installed ${header} includes ${included}, which is not installed")
    endif()
  endforeach()
endforeach()

# 1. CMake package.
run("configure consumer" ${CMAKE_COMMAND} -S ${CONSUMER_DIR} -B ${WORK_DIR}/cmake -G ${GENERATOR}
    -DCMAKE_PREFIX_PATH=${prefix} -DCMAKE_CXX_COMPILER=${CXX} "-DCMAKE_CXX_FLAGS=${CXX_FLAGS}"
    "-DCMAKE_EXE_LINKER_FLAGS=${LINK_FLAGS}")
run("build consumer" ${CMAKE_COMMAND} --build ${WORK_DIR}/cmake)
run("run consumer (find_package)" ${WORK_DIR}/cmake/consumer)
message(STATUS "find_package consumer: ${last_output}")

# 2. pkg-config (static library: its private dependencies come with --static).
find_program(PKG_CONFIG pkg-config REQUIRED)
file(GLOB_RECURSE pcfile ${prefix}/*/ssl2.pc)
get_filename_component(pcdir "${pcfile}" DIRECTORY)
set(ENV{PKG_CONFIG_PATH} "${pcdir}")
run("pkg-config" ${PKG_CONFIG} --cflags --libs --static ssl2)
string(STRIP "${last_output}" pcflags)
separate_arguments(pcflags UNIX_COMMAND "${pcflags}")
separate_arguments(cxxflags UNIX_COMMAND "${CXX_FLAGS}")
separate_arguments(linkflags UNIX_COMMAND "${LINK_FLAGS}")
run("compile consumer (pkg-config)" ${CXX} -std=c++20 ${cxxflags} ${CONSUMER_DIR}/main.cpp
    ${pcflags} ${linkflags} -o ${WORK_DIR}/consumer-pc)
run("run consumer (pkg-config)" ${WORK_DIR}/consumer-pc)
message(STATUS "pkg-config consumer: ${last_output}")

file(REMOVE_RECURSE ${WORK_DIR})
