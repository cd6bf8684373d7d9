#!/bin/sh
# make deb: the Debian packages (libssl2-0, libssl2-dev, libssl2-doc, ssl2, python3-ssl2),
# built by dpkg-buildpackage (debhelper, debian/) from a copy of the tracked sources,
# checked by lintian, then unpacked into a scratch root with dpkg-deb -x (the
# machine's own packages stay untouched), where the README's C++ example is built
# against them through find_package and through pkg-config, the tool reads what the
# example wrote, and the Python module reads it too.
#   scripts/deb.sh [DIR]   (default build/deb): DIR/*.deb, DIR/root, DIR/check
set -eu
cd "$(dirname "$0")/.."
source_dir=$(pwd)
out=${1:-build/deb}
rm -rf "$out"
mkdir -p "$out/src" "$out/root" "$out/check"
out=$(cd "$out" && pwd)

# The tracked files as they are in the work tree, nothing else (no build trees).
git ls-files -z | (cd "$source_dir" && xargs -0 cp -P --parents -t "$out/src")
# debhelper points HOME elsewhere during the build: keep the compiler cache.
CCACHE_DIR=${CCACHE_DIR:-$(ccache -k cache_dir 2>/dev/null || echo "$HOME/.cache/ccache")}
export CCACHE_DIR
(cd "$out/src" && DEB_BUILD_OPTIONS="parallel=2 ${DEB_BUILD_OPTIONS:-}" \
  nice -n 10 dpkg-buildpackage -b -us -uc)
echo "== lintian"
lintian --fail-on error --info "$out"/*.changes

echo "== the packages in a scratch root"
for deb in "$out"/*.deb; do
  dpkg-deb -x "$deb" "$out/root"
done
lib=$out/root/usr/lib/$(dpkg-architecture -qDEB_HOST_MULTIARCH)
check=$out/check
ticket=$source_dir/examples/tickets/simple.ssl
export LD_LIBRARY_PATH="$lib" PKG_CONFIG_PATH="$lib/pkgconfig"

cmake -S examples/library -B "$check/cmake" -G Ninja -DCMAKE_PREFIX_PATH="$out/root/usr" >/dev/null
cmake --build "$check/cmake" >/dev/null
"$check/cmake/retarget" "$ticket" "$check/cmake.ssl"
# shellcheck disable=SC2046  # pkg-config prints several words
c++ examples/library/retarget.cpp $(pkg-config --cflags --libs ssl2) -o "$check/retarget-pc"
"$check/retarget-pc" "$ticket" "$check/pkg-config.ssl"
for program in "$check/cmake/retarget" "$check/retarget-pc" "$out/root/usr/bin/ssl2"; do
  ldd "$program" | grep -q "libssl2\.so\.0 => $lib/" ||
    { echo "$program does not use the packaged libssl2.so.0" >&2; exit 1; }
done
cmp "$check/cmake.ssl" "$check/pkg-config.ssl"
"$out/root/usr/bin/ssl2" check "$check/cmake.ssl"
PYTHONPATH=$out/root/usr/lib/python3/dist-packages /usr/bin/python3 -c '
import sys, ssl2
assert ssl2.__file__.startswith(sys.argv[1]), ssl2.__file__
ticket = ssl2.read(sys.argv[2])
print("python3-ssl2:", len(ticket), "entries, copies", ticket[1]["Copies"])
assert ticket[1]["Copies"] == 3
' "$out/root" "$check/cmake.ssl"
for page in "$out"/root/usr/share/man/man1/*.1.gz; do
  MANWIDTH=80 man --warnings -l "$page" >/dev/null
done
echo "deb: $(cd "$out" && ls ./*.deb | tr '\n' ' ')"
