#!/bin/sh
# Installs the Debian packages that building and running ssl2 need (the library, the
# tool, the Python module); does nothing when all are present.  Groups add what a
# further target needs:
#   scripts/deps.sh [tests] [bench] [fuzz] [format] [coverage] [docs] [packages]
#     tests     the test suite (make test, make asan, make tsan)
#     bench     the benchmarks (make bench)
#     fuzz      the fuzz targets (make fuzz)
#     format    clang-format (make format, make format-check)
#     coverage  gcovr (make coverage)
#     docs      the API reference (make docs)
#     packages  the Debian packages (make deb)
set -eu

packages="build-essential cmake ninja-build pkg-config flex re2c bison libcrypto++-dev
libcli11-dev nlohmann-json3-dev python3-dev pybind11-dev"
locale=""
for group in "$@"; do
  case $group in
    tests) packages="$packages libgtest-dev libgmock-dev python3-pytest python3-jsonschema
man-db groff-base locales chromium"; locale=yes ;;
    bench) packages="$packages libbenchmark-dev libinih-dev python3" ;;
    fuzz) packages="$packages clang libclang-rt-dev" ;;
    format) packages="$packages clang-format" ;;
    coverage) packages="$packages gcovr" ;;
    docs) packages="$packages doxygen" ;;
    packages) packages="$packages debhelper dh-python doxygen lintian fakeroot dpkg-dev" ;;
    *) echo "unknown dependency group: $group" >&2; exit 2 ;;
  esac
done

missing=""
for p in $packages; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing="$missing $p"
  fi
done
if [ "$(id -u)" -eq 0 ]; then sudo=""; else sudo="sudo"; fi

if [ -n "$missing" ]; then
  echo "Installing:$missing" >&2
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends $missing
fi

# The tests run number formatting and parsing under a comma-decimal locale.
if [ -n "$locale" ] && ! locale -a 2>/dev/null | grep -qix 'de_DE\.utf-\?8'; then
  echo "Generating the locale de_DE.UTF-8" >&2
  $sudo localedef -i de_DE -f UTF-8 de_DE.UTF-8
fi
