#!/bin/sh
# Runs every benchmark program of a build (BUILD_DIR/bench/*_benchmark) five times each
# and prints the medians as one table, with the machine's facts at the top.  The JSON
# results stay in BUILD_DIR/bench-results/ for comparisons between runs.  Further
# arguments go to every program (e.g. --benchmark_filter=MD5).
#   scripts/bench.sh build/release [--benchmark_filter=REGEX]
set -eu
build=${1:-build/release}
[ $# -gt 0 ] && shift
results="$build/bench-results"
mkdir -p "$results"
rm -f "$results"/*.json

found=0
failed=0
for program in "$build"/bench/*_benchmark; do
  [ -x "$program" ] || continue
  found=1
  name=$(basename "$program")
  echo "running $name ..." >&2
  if ! "$program" --benchmark_repetitions=5 --benchmark_report_aggregates_only=true \
      --benchmark_out="$results/$name.json" --benchmark_out_format=json "$@" \
      >/dev/null 2>"$results/$name.log"; then
    echo "$name failed:" >&2
    cat "$results/$name.log" >&2
    failed=1
  fi
done
if [ "$found" -eq 0 ]; then
  echo "no benchmark programs under $build/bench (build the release preset first)" >&2
  exit 1
fi

build_type=$(sed -n 's/^CMAKE_BUILD_TYPE:[A-Z]*=//p' "$build/CMakeCache.txt" 2>/dev/null || true)
python3 - "$results" "${build_type:-unknown}" <<'PYTHON'
import glob, json, os, sys

STANDARD = {"name", "family_index", "per_family_instance_index", "run_name", "run_type",
            "repetitions", "repetition_index", "threads", "aggregate_name", "aggregate_unit",
            "iterations", "real_time", "cpu_time", "time_unit", "label", "error_occurred",
            "error_message", "bytes_per_second", "items_per_second"}

def scaled(value, units, step=1000.0):
    for unit in units[:-1]:
        if abs(value) < step:
            return f"{value:.3g}{unit}"
        value /= step
    return f"{value:.3g}{units[-1]}"

def rate(key, value):
    if key == "bytes_per_second":
        return scaled(value, ["B/s", "KiB/s", "MiB/s", "GiB/s"], 1024.0)
    return scaled(value, ["/s", "k/s", "M/s", "G/s"])

def number(value):
    return f"{value:.0f}" if abs(value) >= 1e4 or float(value).is_integer() else f"{value:.4g}"

NANOSECONDS = {"ns": 1.0, "us": 1e3, "ms": 1e6, "s": 1e9}

def time(value, unit):
    value *= NANOSECONDS.get(unit, 1.0)
    for name, size in (("s", 1e9), ("ms", 1e6), ("us", 1e3)):
        if value >= size:
            return f"{value / size:.3g} {name}"
    return f"{value:.3g} ns"

def model():
    try:
        with open("/proc/cpuinfo") as info:
            for line in info:
                if line.startswith("model name"):
                    return line.split(":", 1)[1].strip()
    except OSError:
        pass
    return "unknown"

def load(path):
    try:
        with open(path) as results:
            return json.load(results)
    except (OSError, ValueError):
        return None  # a program that ran no benchmark (a filter matched none) writes nothing

reports = [r for r in map(load, sorted(glob.glob(os.path.join(sys.argv[1], "*.json")))) if r]
if not reports:
    sys.exit("no benchmark results")
context = reports[0]["context"]
print(f"machine: {context.get('num_cpus', os.cpu_count())} cores, {model()}, "
      f"{context.get('mhz_per_cpu', '?')} MHz")
load = context.get("load_avg") or []
print(f"load average at start: {' '.join(f'{x:.2f}' for x in load) or '?'}; "
      f"{context.get('date', '')}; build type: {sys.argv[2]}")
print("median of 5 repetitions; time per iteration as wall clock (CPU); "
      "throughput per CPU second")
print()

rows = []
failed = set()
for report in reports:
    for run in report["benchmarks"]:
        if run.get("error_occurred"):
            if run["run_name"] in failed:
                continue
            failed.add(run["run_name"])
            rows.append((run["run_name"], "ERROR", "", run.get("error_message", "")))
            continue
        if run.get("aggregate_name") != "median":
            continue
        unit = run.get("time_unit", "ns")
        times = f"{time(run['real_time'], unit)} ({time(run['cpu_time'], unit)})"
        rates = " ".join(rate(k, run[k]) for k in ("bytes_per_second", "items_per_second")
                         if k in run)
        extra = " ".join(f"{k}={number(run[k])}" for k in sorted(run)
                         if k not in STANDARD and isinstance(run[k], (int, float)))
        rows.append((run["run_name"], times, rates, extra))

header = ("benchmark", "time (cpu)", "throughput", "counters")
widths = [max(len(r[i]) for r in rows + [header]) for i in range(3)]
for row in [header] + rows:
    print("  ".join(cell.ljust(widths[i]) for i, cell in enumerate(row[:3])) + "  " + row[3])
PYTHON
exit "$failed"
