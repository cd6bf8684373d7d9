#!/bin/sh
# The ABI of libssl2.so.0 as a Debian symbols file (debian/libssl2-0.symbols): one
# line per exported symbol, with the version that introduced it.  Symbols of vague
# linkage vary with the optimisation level and are marked optional: weak functions
# (standard-library template instances that a name pattern of the export map also
# matches), weak objects (vtables and type information of templates and of classes
# without an out-of-line virtual function) and unique objects (inline static data
# members).  Every program that uses one emits its own copy, so none needs the
# library's; an optimised build drops those the library itself no longer refers to.
# Functions and objects with one home in the library stay required.
#
#   scripts/abi-symbols.sh update LIBRARY   rewrites the file from LIBRARY; symbols
#                                           already listed keep their version, new
#                                           ones get the project's version
#   scripts/abi-symbols.sh check LIBRARY    exit 1 when LIBRARY lacks a symbol the file
#                                           lists (not optional); new symbols are only
#                                           reported
#
# Removing or changing an exported function breaks programs linked against
# libssl2.so.0: either keep it, or bump the SONAME (project VERSION major) and run
# "update" on purpose.
set -eu
cd "$(dirname "$0")/.."
mode=$1
library=$2
file=debian/libssl2-0.symbols
version=$(sed -n 's/^project(ssl2 VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)

# "name@version kind" per exported symbol, sorted.
exported() {
  nm -D --defined-only --with-symbol-versions "$library" |
    awk '{ name = $3; sub(/@@/, "@", name)
           if ($2 == "A" && name !~ /@/) name = name "@" name  # the version node itself
           print name, $2 }' | LC_ALL=C sort
}
# "name@version" per symbol the file lists; optional ones with a leading "?".
listed() {
  sed -n 's/^ (optional)\([^ ]*\) .*/?\1/p; s/^ \([^ (][^ ]*\) .*/\1/p' "$file" | LC_ALL=C sort
}

case $mode in
  update)
    tmp=$(mktemp)
    {
      echo "libssl2.so.0 libssl2-0 #MINVER#"
      echo "* Build-Depends-Package: libssl2-dev"
      # The versions already listed, then the exported symbols.
      { [ -f "$file" ] && sed -n 's/^ \(([a-z]*)\)\{0,1\}\([^ ]*\) \(.*\)/\2 \3/p' "$file"
        exported | sed 's/^/+ /'; } |
        awk -v version="$version" '
          $1 != "+" { since[$1] = $2; next }
          { tag = $3 ~ /^[WVu]$/ ? "(optional)" : ""
            print " " tag $2 " " ($2 in since ? since[$2] : version) }'
    } >"$tmp"
    mv "$tmp" "$file"
    echo "$file: $(($(wc -l <"$file") - 2)) symbols"
    ;;
  check)
    have=$(mktemp)
    exported | awk '{ print $1 }' >"$have"
    missing=$(listed | grep -v '^?' | LC_ALL=C comm -23 - "$have")
    added=$(listed | sed 's/^?//' | LC_ALL=C sort | LC_ALL=C comm -13 - "$have")
    rm -f "$have"
    if [ -n "$added" ]; then
      echo "exported but not yet in $file (scripts/abi-symbols.sh update adds them):"
      echo "$added" | c++filt | sed 's/^/  /'
    fi
    if [ -n "$missing" ]; then
      echo "$library no longer exports these symbols of $file:"
      echo "$missing" | c++filt | sed 's/^/  /'
      echo "Programs linked against libssl2.so.0 need them: restore them, or bump the SONAME"
      echo "and run scripts/abi-symbols.sh update on purpose."
      exit 1
    fi
    echo "$library: every symbol of $file is exported"
    ;;
  *)
    echo "usage: $0 update|check LIBRARY" >&2
    exit 2
    ;;
esac
