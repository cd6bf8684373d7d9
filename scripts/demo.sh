#!/bin/sh
# The demonstration behind `make run`: the tool on the bundled examples.
set -eu
build=${1:-build/dev}
"$build/tools/ssl2/ssl2" README.md
