#!/bin/sh
# Runs every fuzz target of a fuzz build (BUILD_DIR/fuzz/*_fuzzer) for SECONDS each
# (default 60), one after the other, and prints runs and findings per target.  Exits
# non-zero when any target finds a crash, leak, timeout or memory blow-up.
#
# Each target works on a scratch corpus BUILD_DIR/fuzz-corpus/<name>/, seeded from
# fuzz/corpus/<name>/ (<name> is the target without "_fuzzer"); what earlier runs found
# is kept there, so repeated runs go on where the last one stopped.  Reproducers of the
# latest run's findings go to BUILD_DIR/fuzz-findings/<name>/ (emptied at each run);
# fuzz/<name>.dict is used when present.  Inputs may grow to MAX_LEN bytes (default
# 1 MiB), so long lines without a final line end are tried as well.  One input may take
# FUZZ_TIMEOUT seconds (default 10; raise it on a machine busy with other work, where a
# starved process looks like a hang).
#   scripts/fuzz.sh build/fuzz 600 [MAX_LEN]
set -eu
build=${1:-build/fuzz}
seconds=${2:-60}
max_len=${3:-1048576}
timeout=${FUZZ_TIMEOUT:-10}
source_dir=$(cd "$(dirname "$0")/.." && pwd)
logs="$build/fuzz-logs"
mkdir -p "$logs"

# Undefined behaviour is a finding, not a warning; leaks are findings too.
UBSAN_OPTIONS=${UBSAN_OPTIONS:-halt_on_error=1:print_stacktrace=1}
ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1}
export UBSAN_OPTIONS ASAN_OPTIONS

found=0
status=0
summary=""
for target in "$build"/fuzz/*_fuzzer; do
  [ -x "$target" ] || continue
  found=1
  fuzzer=$(basename "$target")
  name=${fuzzer%_fuzzer}
  corpus="$build/fuzz-corpus/$name"
  findings="$build/fuzz-findings/$name"
  rm -rf "$findings"
  mkdir -p "$corpus" "$findings"
  if [ -d "$source_dir/fuzz/corpus/$name" ]; then
    cp -R "$source_dir/fuzz/corpus/$name/." "$corpus/"
  fi
  set -- -max_total_time="$seconds" -max_len="$max_len" -timeout="$timeout" -rss_limit_mb=2048 -print_final_stats=1 \
    -artifact_prefix="$findings/"
  if [ -f "$source_dir/fuzz/$name.dict" ]; then
    set -- "$@" -dict="$source_dir/fuzz/$name.dict"
  fi
  echo "fuzzing $fuzzer for ${seconds}s ..." >&2
  rc=0
  "$target" "$@" "$corpus" >"$logs/$name.log" 2>&1 || rc=$?

  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$logs/$name.log" | tail -n 1)
  inputs=$(find "$corpus" -type f | wc -l)
  artifacts=$(find "$findings" -type f \( -name 'crash-*' -o -name 'leak-*' \
    -o -name 'timeout-*' -o -name 'oom-*' \) | wc -l)
  if [ "$rc" -ne 0 ] || [ "$artifacts" -ne 0 ]; then
    result="FINDING (exit $rc, $artifacts reproducer(s) in $findings, log $logs/$name.log)"
    status=1
    grep -E '^(==[0-9]+==ERROR|SUMMARY|.*runtime error)' "$logs/$name.log" | head -n 5 >&2 || true
  else
    result="no finding"
  fi
  summary="$summary$(printf '%-20s %10s runs  %6s corpus inputs  %s' \
    "$fuzzer" "${runs:-?}" "$inputs" "$result")
"
done
if [ "$found" -eq 0 ]; then
  echo "no fuzz targets under $build/fuzz (build the fuzz preset first)" >&2
  exit 1
fi
echo "fuzzing: ${seconds}s per target on $(nproc) cores"
printf '%s' "$summary"
exit "$status"
