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

# Every public header with its documented members; then the headers a server
# integrator starts from, in which every public member must be documented.
strict="ssl2/base/ILog.h ssl2/capas/RCIniStringInterface.h ssl2/set/SslDiagnostic.h"
strict="$strict ssl2/set/SslPreflight.h ssl2/support/CMD5Checksum.h ssl2/set/RCSslSet.h"
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
