#!/bin/sh
# The API reference: Doxygen over the public headers (ssl2/ssl2.h and every header it
# includes) into DIR/html, with the library part of the README as the main page.
# Any warning (a broken reference, a malformed comment, an undocumented public
# member) fails the run and is listed.
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

# Members and classes made from tables get their comments from the same tables.
python3 scripts/docs-tables.py "$dir/tables.dox"
export SSL2_VERSION SSL2_SOURCE_DIR SSL2_DOCS_MAINPAGE=$dir/mainpage.md
SSL2_VERSION=$(sed -n 's/^project(ssl2 VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
SSL2_SOURCE_DIR=$(pwd)
SSL2_DOCS_DIR=$dir SSL2_DOCS_INPUT="$dir/mainpage.md $dir/tables.dox $headers" \
  doxygen docs/Doxyfile || status=$?
if [ -s "$dir/warnings.log" ] || [ "${status:-0}" -ne 0 ]; then
  cat "$dir/warnings.log" >&2
  echo "docs: $(grep -c ': error: ' "$dir/warnings.log") warnings" >&2
  exit 1
fi
rm -f "$dir/warnings.log" "$dir/tables.dox"
echo "docs: $dir/html/index.html"
