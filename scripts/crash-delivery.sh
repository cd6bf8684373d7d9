#!/bin/sh
# Long runs of the delivery robustness tests: every injected error at every file
# operation (directory syncs included) of a delivery, a redelivery and a
# normalisation, each failure checked to leave its target exactly as it was;
# RUNS kills at seeded random points of each hand-off, each followed by a rerun that
# fails (it must leave what the kill left) and one that completes; a competing
# delivery at every operation.
#
#   scripts/crash-delivery.sh [RUNS] [SEED]      (defaults: 1000, 20261206)
#
# BUILD_DIR (default build/dev) names the build.
set -eu
cd "$(dirname "$0")/.."
BUILD_DIR=${BUILD_DIR:-build/dev}
RUNS=${1:-1000}
SEED=${2:-20261206}
test -x "$BUILD_DIR/ssl2/set/delivery_test" ||
    cmake --build "$BUILD_DIR" --target delivery_test -j2
SSL2_LONG=1 SSL2_CRASH_RUNS=$RUNS SSL2_CRASH_SEED=$SEED \
    nice -n 19 "$BUILD_DIR/ssl2/set/delivery_test" --gtest_filter='FaultTest.*'
