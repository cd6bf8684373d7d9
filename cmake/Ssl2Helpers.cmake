# Warning flags and test registration shared by every target of the project.

function(ssl2_set_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic)
  if(SSL2_WERROR)
    target_compile_options(${target} PRIVATE -Werror)
    # GCC 12 reports a false -Wrestrict inside libstdc++'s std::string insert when
    # "literal" + std::string is inlined in optimised builds (GCC bug 105329, mended in
    # GCC 13): there it stays a warning instead of failing the build.
    if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND CMAKE_CXX_COMPILER_VERSION VERSION_LESS 13)
      target_compile_options(${target} PRIVATE $<$<NOT:$<CONFIG:Debug>>:-Wno-error=restrict>)
    endif()
  endif()
endfunction()

# ssl2_add_test(NAME source...): one GoogleTest program linked against the archive (tests
# reach into internal classes, which the shared library does not export),
# registered with CTest test by test.  Test suites whose names end in "Threads" run
# several threads at once; they carry the label "threads", which the ThreadSanitizer
# run selects (make tsan).
function(ssl2_add_test name)
  if(NOT SSL2_BUILD_TESTS)
    return()
  endif()
  add_executable(${name} ${ARGN})
  ssl2_set_warnings(${name})
  target_link_libraries(${name} PRIVATE ssl2_static GTest::gtest GTest::gtest_main GTest::gmock)
  target_compile_definitions(${name} PRIVATE SSL2_SOURCE_DIR="${PROJECT_SOURCE_DIR}")
  # Each property value is a single word: the discovery script flattens lists.
  set(environment ENVIRONMENT TZ=UTC ENVIRONMENT_MODIFICATION LC_ALL=set:C)
  gtest_discover_tests(${name} TEST_FILTER "-*Threads.*" DISCOVERY_TIMEOUT 60
    PROPERTIES ${environment})
  gtest_discover_tests(${name} TEST_FILTER "*Threads.*" DISCOVERY_TIMEOUT 60
    PROPERTIES ${environment} LABELS threads)
endfunction()

# ssl2_add_parser(TARGET NAME LEXER GRAMMAR): generates a reentrant scanner and grammar
# at build time and adds them to TARGET. A LEXER ending in .re is compiled with re2c
# (conditions, direct code), any other with flex. Generated files live in the build tree
# only.
function(ssl2_add_parser target name lexer grammar)
  set(out ${PROJECT_BINARY_DIR}/generated/ssl2/parsers)
  file(MAKE_DIRECTORY ${out})
  bison_target(${name}Parser ${grammar} ${out}/${name}.tab.cpp
               DEFINES_FILE ${out}/${name}.tab.h COMPILE_FLAGS "-Wall")
  if(lexer MATCHES "[.]re$")
    set(scanner ${out}/${name}.lex.cpp)
    # -W: every re2c warning (unreachable rules, input no rule matches, ...) is an error.
    add_custom_command(OUTPUT ${scanner}
      COMMAND ${RE2C_EXECUTABLE} -c -W -Werror --no-generation-date --no-version
              -o ${scanner} ${CMAKE_CURRENT_SOURCE_DIR}/${lexer}
      DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/${lexer} ${BISON_${name}Parser_OUTPUTS}
      COMMENT "[RE2C][${name}Scanner] Building scanner with re2c"
      VERBATIM)
  else()
    flex_target(${name}Scanner ${lexer} ${out}/${name}.lex.cpp
                DEFINES_FILE ${out}/${name}.lex.h)
    add_flex_bison_dependency(${name}Scanner ${name}Parser)
    set(scanner ${FLEX_${name}Scanner_OUTPUTS})
  endif()
  target_sources(${target} PRIVATE ${BISON_${name}Parser_OUTPUTS} ${scanner})
  # The generating commands belong to the calling directory; a custom target there
  # runs them before TARGET (which may be defined in another directory) compiles.
  add_custom_target(${target}_${name}_parser DEPENDS ${BISON_${name}Parser_OUTPUTS} ${scanner})
  add_dependencies(${target} ${target}_${name}_parser)
  # Generated code is not ours to keep warning-free.
  set_source_files_properties(${BISON_${name}Parser_OUTPUTS} ${scanner}
    TARGET_DIRECTORY ${target}
    PROPERTIES COMPILE_OPTIONS "-Wno-attributes;-Wno-unused-function;-Wno-sign-compare;-Wno-unused-parameter;-Wno-pedantic")
endfunction()
