# Run with cmake -P -DLIBRARY=libssl2.so: the shared library exports the public classes
# (with their vtables and typeinfo) and none of the internals.
cmake_minimum_required(VERSION 3.25)
find_program(NM nm REQUIRED)
execute_process(COMMAND ${NM} -DC --defined-only ${LIBRARY}
  RESULT_VARIABLE rc OUTPUT_VARIABLE symbols)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "nm ${LIBRARY} failed (${rc})")
endif()
foreach(public "RCSslSet::ParseSsl" "RCSslEntry::Set" "TString::FromUnicode" "vtable for SslFold"
               "typeinfo for TException" "vtable for TFile" "RCLogSink::WriteFrom" "RCAccessSsl::SetAccess" "CMD5Checksum::GetMD5"
               "RCStatementInfluencingCapas::AddPlotter" "ThrowNewError"
               # reached from the entry's inline accessors
               "RCSslStatementStore::Get(unsigned int) const" "RCSslStatementStore::Modify(unsigned int)")
  string(FIND "${symbols}" "${public}" at)
  if(at EQUAL -1)
    message(FATAL_ERROR "${LIBRARY} does not export ${public}")
  endif()
endforeach()
# Reader internals, delivery helpers, the cipher, generated scanners and grammars,
# the statement store's own workings.
string(REGEX MATCHALL
  "[^\n]*(SslCapasReader|SslDelivery::|SslEncipheredText::|ssl2::internal|RCThreeWay|SslYy|ini_|rcf_|RCSslStatementStore::(RC|T|~|LevelOf|Share|SameObject|OwnBlock)|TFileOps|RCClassicNumbers)[^\n]*"
  leaked "${symbols}")
if(leaked)
  list(JOIN leaked "\n" leaked)
  message(FATAL_ERROR "${LIBRARY} exports internal symbols:\n${leaked}")
endif()
