#!/bin/sh
# Installs the Debian packages the build needs; does nothing when all are present.
# Optional groups add what a further target needs:
#   scripts/deps.sh [bench] [fuzz] [format] [coverage]
set -eu

packages="build-essential cmake ninja-build pkg-config flex re2c bison libgtest-dev libgmock-dev
libbenchmark-dev libcrypto++-dev libcli11-dev libinih-dev nlohmann-json3-dev locales
python3-dev pybind11-dev python3-pytest man-db groff-base python3-jsonschema"
for group in "$@"; do
  case $group in
    bench) packages="$packages python3" ;;
    fuzz) packages="$packages clang libclang-rt-dev" ;;
    format) packages="$packages clang-format" ;;
    coverage) packages="$packages gcovr" ;;
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
if ! locale -a 2>/dev/null | grep -qix 'de_DE\.utf-\?8'; then
  echo "Generating the locale de_DE.UTF-8" >&2
  $sudo localedef -i de_DE -f UTF-8 de_DE.UTF-8
fi
