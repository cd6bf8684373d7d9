# Install rules: headers, library, tool, CMake package and pkg-config file.
include(CMakePackageConfigHelpers)

install(TARGETS ssl2 EXPORT ssl2Targets
  ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR}
  LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}
  RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
# The public headers only: test support (it includes GoogleTest), test data and
# the readers' and delivery's internal headers stay in the source tree.  No
# installed header may include one of these (tests/InstallConsumer.cmake checks).
install(DIRECTORY ${PROJECT_SOURCE_DIR}/ssl2/ DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/ssl2
  FILES_MATCHING PATTERN "*.h" PATTERN "*.def"
  PATTERN "testdata" EXCLUDE
  PATTERN "*TestSupport.h" EXCLUDE
  PATTERN "*TestUtil.h" EXCLUDE
  PATTERN "RCReaderContext.h" EXCLUDE
  PATTERN "RCReaderFile.h" EXCLUDE
  PATTERN "SslParseContext.h" EXCLUDE
  PATTERN "SslReaderStatements.def" EXCLUDE
  PATTERN "RCSslSetDelivery.h" EXCLUDE
  PATTERN "TFileOps.h" EXCLUDE
  PATTERN "SslEncipheredText.h" EXCLUDE
  PATTERN "ThreeWay.h" EXCLUDE)
install(FILES ${PROJECT_BINARY_DIR}/generated/ssl2/version.h DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/ssl2)

set(cmakedir ${CMAKE_INSTALL_LIBDIR}/cmake/ssl2)
install(EXPORT ssl2Targets NAMESPACE ssl2:: DESTINATION ${cmakedir})
configure_package_config_file(${PROJECT_SOURCE_DIR}/cmake/ssl2Config.cmake.in
  ${PROJECT_BINARY_DIR}/ssl2Config.cmake INSTALL_DESTINATION ${cmakedir})
write_basic_package_version_file(${PROJECT_BINARY_DIR}/ssl2ConfigVersion.cmake
  COMPATIBILITY SameMajorVersion)
install(FILES ${PROJECT_BINARY_DIR}/ssl2Config.cmake ${PROJECT_BINARY_DIR}/ssl2ConfigVersion.cmake
  DESTINATION ${cmakedir})

# The pkg-config file finds the prefix relative to itself, so the installed tree
# can be moved (or installed with --prefix) and still be found.
file(RELATIVE_PATH SSL2_PC_TO_PREFIX /root/${CMAKE_INSTALL_LIBDIR}/pkgconfig /root)
string(REGEX REPLACE "/$" "" SSL2_PC_TO_PREFIX "${SSL2_PC_TO_PREFIX}")
configure_file(${PROJECT_SOURCE_DIR}/cmake/ssl2.pc.in ${PROJECT_BINARY_DIR}/ssl2.pc @ONLY)
install(FILES ${PROJECT_BINARY_DIR}/ssl2.pc DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig)
