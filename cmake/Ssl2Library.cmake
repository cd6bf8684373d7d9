# The two kinds of the library, both linked from the objects of the object library ssl2:
#
#   ssl2_static  libssl2.a, self-contained apart from Crypto++ and threads
#   ssl2_shared  libssl2.so.<ABI>, exporting only the public interface (ssl2-exports.map)
#
# BUILD_SHARED_LIBS selects the kind that is installed and that ssl2::ssl2 names.  The
# other kind is built for the tests (the unit tests link the archive, they reach into
# internal classes, and the install check installs both kinds) and, with
# SSL2_INSTALL_ARCHIVE, to install the archive beside the shared library (as the
# Debian development package has it).  SSL2_LIBRARY and
# SSL2_OTHER_LIBRARY (empty when not built) name the two targets.

function(ssl2_add_library_kind target kind)
  add_library(${target} ${kind} $<TARGET_OBJECTS:ssl2>)
  target_include_directories(${target} PUBLIC
    $<BUILD_INTERFACE:${PROJECT_SOURCE_DIR}>
    $<BUILD_INTERFACE:${PROJECT_BINARY_DIR}/generated>
    $<INSTALL_INTERFACE:${CMAKE_INSTALL_INCLUDEDIR}>)
  target_link_libraries(${target} PUBLIC Threads::Threads PRIVATE PkgConfig::CRYPTOPP)
  # The headers need C++20: a consumer gets it from the target, whatever its own standard.
  target_compile_features(${target} PUBLIC cxx_std_20)
  set_target_properties(${target} PROPERTIES OUTPUT_NAME ssl2 EXPORT_NAME ssl2)
  if(kind STREQUAL "SHARED")
    set(map ${PROJECT_SOURCE_DIR}/cmake/ssl2-exports.map)
    set_target_properties(${target} PROPERTIES
      VERSION ${PROJECT_VERSION} SOVERSION ${PROJECT_VERSION_MAJOR} LINK_DEPENDS ${map})
    target_link_options(${target} PRIVATE
      "LINKER:--version-script=${map}" "LINKER:--no-undefined")
  endif()
endfunction()

set(kinds STATIC SHARED)
if(BUILD_SHARED_LIBS)
  list(REVERSE kinds)
endif()
list(GET kinds 0 kind)
list(GET kinds 1 other_kind)
string(TOLOWER "ssl2_${kind}" SSL2_LIBRARY)
ssl2_add_library_kind(${SSL2_LIBRARY} ${kind})
add_library(ssl2::ssl2 ALIAS ${SSL2_LIBRARY})

option(SSL2_INSTALL_ARCHIVE "With BUILD_SHARED_LIBS, install the static archive too" OFF)
set(SSL2_OTHER_LIBRARY "")
if(SSL2_BUILD_TESTS OR (SSL2_INSTALL_ARCHIVE AND BUILD_SHARED_LIBS))
  string(TOLOWER "ssl2_${other_kind}" SSL2_OTHER_LIBRARY)
  ssl2_add_library_kind(${SSL2_OTHER_LIBRARY} ${other_kind})
  # Kept apart from the installed kind, so that nothing in the build finds it by accident.
  set_target_properties(${SSL2_OTHER_LIBRARY} PROPERTIES
    ARCHIVE_OUTPUT_DIRECTORY ${PROJECT_BINARY_DIR}/other-kind
    LIBRARY_OUTPUT_DIRECTORY ${PROJECT_BINARY_DIR}/other-kind)
endif()
