#!/usr/bin/env python3
"""Times the ssl2 tool and the Python module end to end on generated 10,000-file tickets
and prints each figure next to what it must reach, as ratios to "ssl2 check" of the same
ticket where the aim is one.  With the benchmark programs' results (scripts/bench.sh
writes them first) it adds the gathering rows: shared names against unique names, and a
purge of 30,000 files against one of 10,000.

    scripts/tool-bench.py [BUILD_DIR]        (default build/release)

Each command runs five times, alternating with the others; the table shows the medians
of wall time, CPU time (user and system) and peak resident memory.  An aim is judged on
the CPU time, which the load of a shared machine does not stretch the way it stretches
wall time (on an idle machine the two agree).  The exit status is 0 when every figure
was measured, whether or not it reaches its aim.
"""

import json
import os
import statistics
import subprocess
import sys
import tempfile
import time
from pathlib import Path

FILES = 10_000
RUNS = 5
ROOT = Path(__file__).resolve().parent.parent


def generate(files, job="noname", copies_offset=0):
    """The ticket of the benchmark programs' generator (bench/set_benchmark.cpp)."""
    lines = [f'BeginJob "{job}" Version "3.0.001"', 'JobName "Generated job"', 'Account "4711"',
             'Customer "Bench GmbH"', "SetCopies 2", "JobCollate on", "JobPriority high",
             "Units mm", 'Address "Site"', "\t+ Type delivery", '\t+ City "Hamburg"',
             'Stamp Text "COPY"', "\t+ Position ur", 'SupportFile "/srv/support/pens.ctb"']
    for i in range(1, files + 1):
        lines += ["BeginOutput", 'Directory "/srv/plot/in/generated"', f'Name "sheet-{i:06d}.plt"',
                  "FileEmulation hpgl", f"Copies {1 + (i + copies_offset) % 3}",
                  "OutputSize a1" if i % 2 else "OutputSize Window 841.0 594.0 mm", "Rotate 90",
                  "FileInfo 0x26CD 0x36DB 0x190 0x190 0x1 0x1 pcm_1bit",
                  "HpglPens Number 1 Width 0.25 Color 1", "\t+ Number 2 - 7 Width 0.35 Color 2"]
        if i % 4 == 0:
            lines.append("Fold Prg 3 Tray 1 Option 0")
        lines.append("EndOutput")
    lines.append("EndJob")
    return "\r\n".join(lines) + "\r\n"


def measure(argv, env=None):
    """Wall seconds, CPU seconds and peak resident MB of one run; output discarded."""
    start = time.perf_counter()
    process = subprocess.Popen(argv, stdout=subprocess.DEVNULL, stderr=subprocess.PIPE, env=env)
    _, status, usage = os.wait4(process.pid, 0)
    wall = time.perf_counter() - start
    stderr = process.stderr.read().decode(errors="replace")
    process.stderr.close()
    code = os.waitstatus_to_exitcode(status)
    if code not in (0, 1):
        sys.exit(f"{' '.join(map(str, argv))} failed with exit status {code}:\n{stderr}")
    return wall, usage.ru_utime + usage.ru_stime, usage.ru_maxrss / 1024.0


PYTHON_CHANGED = """
import ssl2, sys, time
ticket = ssl2.read(sys.argv[1])
start = time.process_time()
changed = [f.changed() for f in ticket.files]
print(time.process_time() - start)
"""

PYTHON_PENS = """
import ssl2, sys, time
ticket = ssl2.read(sys.argv[1])
entry = ticket.files[0]
entry["HpglPens"] = [{"number": n, "width": 0.35, "color": 2} for n in range(1, 9)]
start = time.process_time()
for _ in range(1000):
    pens = entry["HpglPens"]
assert len(pens) == 8
print((time.process_time() - start) / 1000)
"""


def python_seconds(build, script, ticket):
    """The CPU seconds a Python snippet reports, median of the runs; None without the
    module."""
    package = build / "python"
    if not (package / "ssl2" / "__init__.py").exists():
        return None
    env = dict(os.environ, PYTHONPATH=str(package), PYTHONDONTWRITEBYTECODE="1")
    runs = []
    for _ in range(RUNS):
        out = subprocess.run([sys.executable, "-c", script, str(ticket)], env=env, check=True,
                             capture_output=True, text=True).stdout
        runs.append(float(out.split()[-1]))
    return statistics.median(runs)


def benchmark_medians(build):
    """run_name -> median run of the benchmark programs' last results, if any."""
    medians = {}
    for path in (build / "bench-results").glob("*.json"):
        try:
            report = json.loads(path.read_text())
        except (OSError, ValueError):
            continue
        for run in report.get("benchmarks", []):
            if run.get("aggregate_name") == "median":
                medians[run["run_name"]] = run
    return medians


def main():
    build = Path(sys.argv[1] if len(sys.argv) > 1 else "build/release").resolve()
    tool = build / "tools" / "ssl2" / "ssl2"
    if not tool.exists():
        sys.exit(f"no tool at {tool} (build the release preset first)")
    capas = ROOT / "examples" / "capas" / "sheetpro_a3.ini"
    with tempfile.TemporaryDirectory(prefix="ssl2-tool-bench-") as scratch:
        scratch = Path(scratch)
        big, other, written = scratch / "big.ssl", scratch / "other.ssl", scratch / "written.ssl"
        big.write_bytes(generate(FILES).encode())
        other.write_bytes(generate(FILES, "other", 1).encode())  # two of three files differ
        subprocess.run([tool, "convert", big, "-o", written], check=True, capture_output=True)

        commands = {
            "check": [tool, "check", big],
            "check --json": [tool, "check", "--json", big],
            "show --json": [tool, "show", "--json", big],
            "show --json --all": [tool, "show", "--json", "--all", big],
            "diff --json": [tool, "diff", "--json", big, other],
            "preflight --json": [tool, "preflight", "--json", "--capas", capas, big],
            "check of the written ticket": [tool, "check", written],
        }
        runs = {name: [] for name in commands}
        for _ in range(RUNS):
            for name, argv in commands.items():
                runs[name].append(measure(argv))
        figures = {name: tuple(statistics.median(r[i] for r in rs) for i in range(3))
                   for name, rs in runs.items()}
        changed = python_seconds(build, PYTHON_CHANGED, big)
        pens = python_seconds(build, PYTHON_PENS, big)

    _, check_cpu, check_mb = figures["check"]
    # name -> (aim as text, whether it holds) given (wall, CPU, MB)
    aims = {
        "check": ("the reference", lambda w, u, m: True),
        "check --json": ("memory <= 2x check's", lambda w, u, m: m <= 2 * check_mb),
        "show --json": ("<= 0.3 s, <= 60 MB", lambda w, u, m: u <= 0.3 and m <= 60),
        "show --json --all": ("<= 3 s, memory <= 2x check's",
                              lambda w, u, m: u <= 3 and m <= 2 * check_mb),
        "diff --json": ("memory <= 2x check's (two tickets)", lambda w, u, m: m <= 2 * check_mb),
        "preflight --json": ("memory <= 2x check's", lambda w, u, m: m <= 2 * check_mb),
        "check of the written ticket": (
            "<= 1.5x check's time and memory",
            lambda w, u, m: u <= 1.5 * check_cpu and m <= 1.5 * check_mb),
    }

    load = " ".join(f"{x:.2f}" for x in os.getloadavg())
    print(f"tool end to end, {FILES:,} files ({big.name}: {len(generate(FILES)) / 1e6:.1f} MB); "
          f"medians of {RUNS} alternated runs; load average at the end: {load}")
    header = ("what", "wall", "CPU", "peak RSS", "vs check (CPU, memory)", "must reach", "holds")
    rows = []
    for name, (wall, cpu, mb) in figures.items():
        aim, holds = aims[name]
        ratio = f"{cpu / check_cpu:.1f}x, {mb / check_mb:.1f}x"
        rows.append((f"ssl2 {name}", f"{wall:.3f} s", f"{cpu:.3f} s", f"{mb:.1f} MB", ratio,
                     aim, "yes" if holds(wall, cpu, mb) else "NO"))
    for label, seconds, aim, limit in (
            ("Python [f.changed() for f in t.files]", changed, "<= 0.3 s", 0.3),
            ('Python e["HpglPens"], 8 set pens', pens, "<= 20 us", 20e-6)):
        if seconds is None:
            rows.append((label, "", "-", "", "", aim, "no module built"))
        else:
            shown = f"{seconds * 1e6:.1f} us" if seconds < 1e-3 else f"{seconds:.3f} s"
            rows.append((label, "", shown, "", "", aim, "yes" if seconds <= limit else "NO"))

    medians = benchmark_medians(build)

    def cpu(name):
        """The median CPU time of the run `name` (its fixed iteration count aside)."""
        runs = [run for key, run in medians.items() if key.split("/iterations:")[0] == name]
        return runs[0]["cpu_time"] if runs else None

    for label, numerator, denominator, limit in (
            ("normalize, 10,000 files sharing a name vs unique names",
             "BM_NormalizeNames/files:10000/shared_name:1",
             "BM_NormalizeNames/files:10000/shared_name:0", 2.0),
            ("normalize --purge, 30,000 vs 10,000 files",
             "BM_NormalizePurge/files:30000", "BM_NormalizePurge/files:10000", 3.2)):
        a, b = cpu(numerator), cpu(denominator)
        aim = f"<= {limit:g}x"
        if not (a and b):
            rows.append((label, "-", "", "", "", aim, "run make bench first"))
        else:
            rows.append((label, "", "", "", f"{a / b:.2f}x", aim,
                         "yes" if a / b <= limit else "NO"))

    widths = [max(len(row[i]) for row in rows + [header]) for i in range(len(header))]
    for row in [header] + rows:
        print("  ".join(cell.ljust(widths[i]) for i, cell in enumerate(row)).rstrip())


if __name__ == "__main__":
    main()
