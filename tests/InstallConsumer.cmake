# Run with cmake -P (see CMakeLists.txt): installs the built tree into scratch prefixes,
# one per kind of library, and builds and runs tests/consumer against each, once through
# find_package(ssl2) and once through a plain "pkg-config --cflags --libs ssl2"; where
# the Python module is built, imports it from the prefix and runs a short script.
#   BUILD_DIR WORK_DIR CONSUMER_DIR GENERATOR CXX CXX_FLAGS LINK_FLAGS PYTHON SOURCE_DIR
#   PYTHON_DIR (where a plain install puts the Python package)
#   KIND (static or shared: the installed kind), OTHER_KIND (the kind built besides it,
#   empty for none)
cmake_minimum_required(VERSION 3.25)

function(run what)
  execute_process(COMMAND ${ARGN} RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "${what} failed (${rc}):\n${out}\n${err}")
  endif()
  set(last_output "${out}" PARENT_SCOPE)
endfunction()

# The installed headers stand on their own: none is test support, and every project
# include of an installed header is installed too.
function(check_headers prefix)
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
endfunction()

# Programs of a shared kind must use the installed libssl2.so, not a copy of the code.
function(check_uses_shared file prefix)
  run("ldd ${file}" ldd ${file})
  if(NOT last_output MATCHES "libssl2\\.so\\.[0-9]+ => ${prefix}/")
    message(FATAL_ERROR "${file} does not load libssl2.so from ${prefix}:\n${last_output}")
  endif()
endfunction()

function(check_prefix prefix kind)
  check_headers(${prefix})
  set(work ${WORK_DIR}/${kind})
  separate_arguments(cxxflags UNIX_COMMAND "${CXX_FLAGS}")
  separate_arguments(linkflags UNIX_COMMAND "${LINK_FLAGS}")

  # 1. CMake package.
  run("configure consumer (${kind})" ${CMAKE_COMMAND} -S ${CONSUMER_DIR} -B ${work}/cmake
      -G ${GENERATOR} -DCMAKE_PREFIX_PATH=${prefix} -DCMAKE_CXX_COMPILER=${CXX}
      "-DCMAKE_CXX_FLAGS=${CXX_FLAGS}" "-DCMAKE_EXE_LINKER_FLAGS=${LINK_FLAGS}")
  run("build consumer (${kind})" ${CMAKE_COMMAND} --build ${work}/cmake)
  run("run consumer (find_package, ${kind})" ${work}/cmake/consumer)
  message(STATUS "find_package consumer, ${kind}: ${last_output}")

  # 2. pkg-config, plain: the archive's dependencies must come along without --static.
  find_program(PKG_CONFIG pkg-config REQUIRED)
  file(GLOB_RECURSE pcfile ${prefix}/*/ssl2.pc)
  get_filename_component(pcdir "${pcfile}" DIRECTORY)
  set(ENV{PKG_CONFIG_PATH} "${pcdir}")
  run("pkg-config (${kind})" ${PKG_CONFIG} --cflags --libs ssl2)
  string(STRIP "${last_output}" pcflags)
  separate_arguments(pcflags UNIX_COMMAND "${pcflags}")
  run("compile consumer (pkg-config, ${kind})" ${CXX} ${cxxflags}
      ${CONSUMER_DIR}/main.cpp ${pcflags} ${linkflags} -o ${work}/consumer-pc)
  if(kind STREQUAL "shared")
    # A prefix outside the loader's paths is found through LD_LIBRARY_PATH, as the
    # README says; the CMake consumer found it through its RPATH.
    set(ENV{LD_LIBRARY_PATH} "${pcdir}/..")
    check_uses_shared(${work}/cmake/consumer ${prefix})
    check_uses_shared(${work}/consumer-pc ${prefix})
  endif()
  run("run consumer (pkg-config, ${kind})" ${work}/consumer-pc)
  message(STATUS "pkg-config consumer, ${kind}: ${last_output}")

  # 3. The Python module from the prefix's site-packages.
  file(GLOB_RECURSE module ${prefix}/*/ssl2/_ssl2*.so)
  if(PYTHON AND module)
    get_filename_component(package "${module}" DIRECTORY)
    get_filename_component(site "${package}" DIRECTORY)
    set(ENV{PYTHONPATH} "${site}")
    run("python script (${kind})" ${PYTHON} -c
        "import ssl2, sys\nassert ssl2.__file__.startswith(sys.argv[1]), ssl2.__file__\nt = ssl2.read(sys.argv[2])\nfor f in t.files: f['Copies'] = 3\nprint(len(t), t[1]['Copies'], t[1]['Name'])"
        ${prefix} ${SOURCE_DIR}/examples/tickets/simple.ssl)
    if(NOT last_output STREQUAL "2 3 ground-floor.plt\n")
      message(FATAL_ERROR "python script (${kind}) printed: ${last_output}")
    endif()
    if(kind STREQUAL "shared")
      check_uses_shared(${module} ${prefix})
    endif()
    message(STATUS "python module, ${kind}: ${last_output}")
    unset(ENV{PYTHONPATH})
  endif()
  unset(ENV{LD_LIBRARY_PATH})
endfunction()

file(REMOVE_RECURSE ${WORK_DIR})
file(MAKE_DIRECTORY ${WORK_DIR})

# Installed to /usr or /usr/local, the package lands where the interpreter looks
# without PYTHONPATH (on Debian a dist-packages directory, not site-packages).
if(PYTHON AND PYTHON_DIR MATCHES "^/usr/(local/)?lib/")
  run("python search path" ${PYTHON} -I -c "import sys\nprint(sys.argv[1] in sys.path)"
      ${PYTHON_DIR})
  if(NOT last_output STREQUAL "True\n")
    message(FATAL_ERROR "${PYTHON} does not search ${PYTHON_DIR}, where the package goes")
  endif()
endif()

# The installed kind: a plain install.
run("install" ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${WORK_DIR}/prefix-${KIND})
check_prefix(${WORK_DIR}/prefix-${KIND} ${KIND})

# The other kind: the kind-independent part and that kind's component.
if(OTHER_KIND)
  set(prefix ${WORK_DIR}/prefix-${OTHER_KIND})
  run("install headers" ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${prefix}
      --component ssl2_devel)
  run("install ${OTHER_KIND}" ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${prefix}
      --component ssl2_other_kind)
  check_prefix(${prefix} ${OTHER_KIND})
endif()

file(REMOVE_RECURSE ${WORK_DIR})
