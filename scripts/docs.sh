#!/bin/sh
# The API reference: Doxygen over the public headers (ssl2/ssl2.h and every header it
# includes) into DIR/html, with the library part of the README as the main page.
# Any warning (a broken reference, a malformed comment; in the headers listed as
# strict also an undocumented public member) fails the run and is listed.
#   scripts/docs.sh [DIR]   (default build/docs)
set -eu
cd "$(dirname "$0")/.."
dir=${1:-build/docs}
rm -rf "$dir"
mkdir -p "$dir"
dir=$(cd "$dir" && pwd)

# The README from "## Using the library" up to the next top-level section.
awk '/^## Using the library/ { on = 1; print "# ssl2 library {#mainpage}"; next }
     on && /^## / { exit } on' README.md >"$dir/mainpage.md"
# The public headers: what ssl2/ssl2.h includes, as the compiler sees it.
headers=$(${CXX:-c++} -std=c++20 -I. -MM -MG -x c++ ssl2/ssl2.h |
  tr ' \\' '\n\n' | grep '^ssl2/.*\.h$' | grep -v '^ssl2/version\.h$' | sort -u | tr '\n' ' ')

# Every public header with its documented members; then the headers in which every
# public member must be documented: those a server integrator starts from, the
# statement base and the hand-written statement classes, the platform records.
# (Not yet: the entry's and the access mask's macro-made accessors, the statement
# classes made from tables, strings, files, serialisation and the capability file
# structures.)
strict="
ssl2/base/ILog.h ssl2/base/PFileBrowser.h ssl2/base/RCMutex.h ssl2/base/RCPageRangeParser.h
ssl2/base/RCUncPath2LocalPath.h ssl2/base/RCUnit.h ssl2/base/TException.h ssl2/base/TMessage.h
ssl2/base/TPoint.h ssl2/sslmessages.h ssl2/support/CMD5Checksum.h
ssl2/capas/RCIniStringInterface.h ssl2/capas/RCRcfStringInterface.h
ssl2/capas/RCReaderDiagnostics.h ssl2/capas/RCStatementInfluencingCapas.h
ssl2/capas/RCStatementInfluencingCapaRefined.h
ssl2/set/RCSslSet.h ssl2/set/SslDiagnostic.h ssl2/set/SslFileReport.h ssl2/set/SslPreflight.h
ssl2/SSLStatements/SslStatement.h ssl2/SSLStatements/SslArrayContent.h
ssl2/SSLStatements/SslNumberStatement.h ssl2/SSLStatements/SslDocumentBox.h
ssl2/SSLStatements/SslEMail.h ssl2/SSLStatements/SslEarliestPlotTime.h
ssl2/SSLStatements/SslError.h ssl2/SSLStatements/SslJobPlotter.h ssl2/SSLStatements/SslNotes.h
ssl2/SSLStatements/SslPlotOption.h ssl2/SSLStatements/SslSecurityPrint.h
ssl2/SSLStatements/SslUserHash.h"
strict=$(printf '%s ' $strict)  # doxygen takes blanks between the names, not lines
export SSL2_VERSION SSL2_SOURCE_DIR SSL2_DOCS_MAINPAGE=$dir/mainpage.md
SSL2_VERSION=$(sed -n 's/^project(ssl2 VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
SSL2_SOURCE_DIR=$(pwd)
run() {
  mkdir -p "$1"
  SSL2_DOCS_DIR=$1 SSL2_DOCS_UNDOCUMENTED=$2 SSL2_DOCS_INPUT="$3" doxygen docs/Doxyfile ||
    status=$?
  if [ -s "$1/warnings.log" ] || [ "${status:-0}" -ne 0 ]; then
    cat "$1/warnings.log" >&2
    echo "docs: $(wc -l <"$1/warnings.log") warnings" >&2
    exit 1
  fi
}
run "$dir" NO "$dir/mainpage.md $headers"
run "$dir/strict" YES "$dir/mainpage.md $strict"
rm -rf "$dir/strict" "$dir/warnings.log"
echo "docs: $dir/html/index.html"
