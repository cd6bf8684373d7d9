# Install rules: headers, library, tool, CMake package, pkg-config file, Python module
# and man pages.
#
# Components: ssl2_devel holds what does not depend on the kind of library (headers,
# CMake package files); the installed kind (SSL2_LIBRARY), its pkg-config file and its
# Python module go into the default component.  A test build also has rules for the
# other kind (SSL2_OTHER_LIBRARY) in the component ssl2_other_kind, which a plain
# install leaves out; the install check installs ssl2_devel and ssl2_other_kind into a
# second prefix to check that kind too.
include(CMakePackageConfigHelpers)

# The public headers, listed one by one: ssl2/ssl2.h and every header it includes.
# Test support, test data and the readers' and delivery's internal headers stay in
# the source tree, whatever they are named.  No installed header may include a header
# that is not installed (tests/InstallConsumer.cmake checks).
function(ssl2_install_headers dir)
  list(TRANSFORM ARGN PREPEND ${PROJECT_SOURCE_DIR}/ssl2/${dir})
  install(FILES ${ARGN} DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/ssl2/${dir} COMPONENT ssl2_devel)
endfunction()
ssl2_install_headers("SSLStatements/"
  SslAddressFields.def SslAddresses.h SslArrayContent.h SslColor.h SslColorDepth.h
  SslDocumentBox.h SslEMail.h SslEarliestPlotTime.h SslError.h SslFileInfo.h SslFold.h
  SslHpgl.h SslHpglColorEmulation.h SslHpglPens.h SslJobFlagsheet.h SslJobPlotter.h
  SslJobPriority.h SslMargin.h SslMediaType.h SslMemberValues.h SslNesting.h SslNotes.h
  SslNumberStatement.h SslNumberStatements.h SslOnError.h SslOutputBin.h SslOutputTray.h
  SslPlotOption.h SslSecurityPrint.h SslSelectionStatement.h SslSelectionStatements.def
  SslSelectionStatements.h SslSerialMembers.h SslSize.h SslSizeStatements.h SslStamp.h
  SslStatement.h SslStatementImpl.h SslStatementTable.def SslStatements.h
  SslStringStatement.h SslStringStatements.h SslSupportFiles.h SslUnit.h SslUserHash.h
  SslVersion.h)
ssl2_install_headers("access/"
  RCAccessSsl.h RCAccessSslTable.def)
ssl2_install_headers("base/"
  ILog.h PFileBrowser.h RCMutex.h RCPageRangeParser.h RCSerializeBase.h
  RCUncPath2LocalPath.h RCUnit.h TException.h TFile.h TMessage.h TPoint.h
  TRCMultiObjectContainer.h TString.h)
ssl2_install_headers("capas/"
  RCIniStringInterface.h RCRcfStringInterface.h RCReaderDiagnostics.h
  RCStatementInfluencingCapaRaw.h RCStatementInfluencingCapaRefined.h
  RCStatementInfluencingCapas.h SslCapas.h)
ssl2_install_headers("entry/"
  RCSslEntry.h RCSslEntryAccessors.def RCSslEntryPlotter.def RCSslStatementStore.h)
ssl2_install_headers("set/"
  RCSslSet.h SslDiagnostic.h SslFileReport.h SslPreflight.h)
ssl2_install_headers("layout/"
  SslLayout.h SslPreview.h)
ssl2_install_headers(""
  ssl2.h sslmessages.h)
ssl2_install_headers("support/"
  CMD5Checksum.h)
install(FILES ${PROJECT_BINARY_DIR}/generated/ssl2/version.h
  DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/ssl2 COMPONENT ssl2_devel)

set(cmakedir ${CMAKE_INSTALL_LIBDIR}/cmake/ssl2)
configure_package_config_file(${PROJECT_SOURCE_DIR}/cmake/ssl2Config.cmake.in
  ${PROJECT_BINARY_DIR}/ssl2Config.cmake INSTALL_DESTINATION ${cmakedir})
write_basic_package_version_file(${PROJECT_BINARY_DIR}/ssl2ConfigVersion.cmake
  COMPATIBILITY SameMajorVersion)
install(FILES ${PROJECT_BINARY_DIR}/ssl2Config.cmake ${PROJECT_BINARY_DIR}/ssl2ConfigVersion.cmake
  DESTINATION ${cmakedir} COMPONENT ssl2_devel)

# The pkg-config file finds the prefix relative to itself, so the installed tree
# can be moved (or installed with --prefix) and still be found.
file(RELATIVE_PATH SSL2_PC_TO_PREFIX /root/${CMAKE_INSTALL_LIBDIR}/pkgconfig /root)
string(REGEX REPLACE "/$" "" SSL2_PC_TO_PREFIX "${SSL2_PC_TO_PREFIX}")

# ssl2_install_kind(TARGET DIR [COMPONENT...]): the library TARGET, its CMake export and
# a pkg-config file written to DIR first.  A plain "pkg-config --libs ssl2" must link a
# program with either kind: the archive names Crypto++ and the thread flag in Requires
# and Libs, where the shared library keeps them private (its own link brings them).
function(ssl2_install_kind target dir)
  get_target_property(type ${target} TYPE)
  if(type STREQUAL "STATIC_LIBRARY")
    set(kind Static)
    set(SSL2_PC_REQUIRES "Requires")
    set(SSL2_PC_LIBS_EXTRA " -pthread")
    set(SSL2_PC_LIBS_PRIVATE "")
  else()
    set(kind Shared)
    set(SSL2_PC_REQUIRES "Requires.private")
    set(SSL2_PC_LIBS_EXTRA "")
    set(SSL2_PC_LIBS_PRIVATE "Libs.private: -pthread")
  endif()
  configure_file(${PROJECT_SOURCE_DIR}/cmake/ssl2.pc.in ${dir}/ssl2.pc @ONLY)
  install(TARGETS ${target} EXPORT ${target}Targets
    ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR} ${ARGN}
    LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR} ${ARGN})
  # One export file per kind (ssl2StaticTargets.cmake, ssl2SharedTargets.cmake):
  # ssl2Config.cmake loads the one installed, the shared one when both are.
  install(EXPORT ${target}Targets FILE ssl2${kind}Targets.cmake NAMESPACE ssl2::
    DESTINATION ${cmakedir} ${ARGN})
  install(FILES ${dir}/ssl2.pc DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig ${ARGN})
endfunction()

ssl2_install_kind(${SSL2_LIBRARY} ${PROJECT_BINARY_DIR})
if(SSL2_INSTALL_ARCHIVE AND BUILD_SHARED_LIBS)
  # The archive beside the shared library, without a pkg-config file of its own: the
  # shared library's lists the archive's needs as private ("pkg-config --static").
  install(TARGETS ${SSL2_OTHER_LIBRARY} EXPORT ${SSL2_OTHER_LIBRARY}Targets
    ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR})
  install(EXPORT ${SSL2_OTHER_LIBRARY}Targets FILE ssl2StaticTargets.cmake NAMESPACE ssl2::
    DESTINATION ${cmakedir})
elseif(SSL2_OTHER_LIBRARY)
  ssl2_install_kind(${SSL2_OTHER_LIBRARY} ${PROJECT_BINARY_DIR}/other-kind
    COMPONENT ssl2_other_kind EXCLUDE_FROM_ALL)
endif()

# Installed programs and modules find a shared libssl2 beside them in the prefix.
if(TARGET ssl2_tool)
  file(RELATIVE_PATH tool_to_lib /root/${CMAKE_INSTALL_BINDIR} /root/${CMAKE_INSTALL_LIBDIR})
  set_target_properties(ssl2_tool PROPERTIES INSTALL_RPATH "$ORIGIN/${tool_to_lib}")
endif()
