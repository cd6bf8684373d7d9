#!/usr/bin/env python3
"""A small mutation sampler: how many planted faults does the test suite catch?

With a fixed seed it orders every mutation point of the library's and the tool's sources
(a comparison flipped, && and || swapped, an integer constant moved by one, a condition
negated, a statement line removed, a returned truth value swapped), then, one mutant at a
time: writes the mutated line, rebuilds incrementally in its own build directory, runs the
tests with a time limit and files the mutant as killed, survived or did not build, until
the wanted number of mutants built. The sources are restored after every mutant, also on
Ctrl-C or SIGTERM; a mutant left behind by a killed run is restored by the next run.

    scripts/mutate.py [--mutants 60] [--seed 1] [--save LIST] [--replay LIST]
                      [--map MAP [--all-killers]] [--results FILE]

--save writes the mutants tried (built or not) as a list; --replay runs exactly the mutants
of such a list again (found by their line's text where the line has moved since), so that
two versions of the tests can be compared on the same faults.

--map takes the map of scripts/coverage-map.py and runs, for each mutant, only the tests that
execute the mutated line (and tests the map does not know yet), after building only the
programs they are in; a mutant on a line no test executes is only compiled and files as
survived (not covered). --all-killers runs all of those tests instead of stopping at the
first failure and records which tests kill each mutant. --results is rewritten after every
mutant.
"""

import argparse
import json
import os
import random
import re
import resource
import signal
import subprocess
import sys
import time
from dataclasses import asdict, dataclass
from pathlib import Path

SOURCE_DIRS = ("ssl2", "tools/ssl2")
PENDING = "pending-mutant.json"


@dataclass
class Mutant:
    file: str
    line: int
    kind: str
    original: str
    mutated: str

    def label(self):
        return f"{self.file}:{self.line}: {self.kind}: {self.original.strip()}  =>  {self.mutated.strip()}"


def mutable_sources(root):
    files = []
    for top in SOURCE_DIRS:
        for path in sorted((root / top).rglob("*.cpp")):
            rel = path.relative_to(root).as_posix()
            if rel.endswith("_test.cpp") or "/tests/" in rel or "/testdata/" in rel:
                continue
            files.append(rel)
    return files


def code_mask(line, in_block_comment):
    """The line with string and character literals and comments blanked out, so that
    operators are looked for in code only; and whether a block comment runs on."""
    out = []
    i, n = 0, len(line)
    while i < n:
        if in_block_comment:
            end = line.find("*/", i)
            if end < 0:
                out.append(" " * (n - i))
                return "".join(out), True
            out.append(" " * (end + 2 - i))
            i = end + 2
            in_block_comment = False
        elif line.startswith("//", i):
            out.append(" " * (n - i))
            break
        elif line.startswith("/*", i):
            in_block_comment = True
        elif line[i] in "\"'":
            quote, j = line[i], i + 1
            while j < n and line[j] != quote:
                j += 2 if line[j] == "\\" else 1
            out.append(" " * (min(j, n - 1) + 1 - i))
            i = j + 1
        else:
            out.append(line[i])
            i += 1
    return "".join(out), in_block_comment


OPERATOR_SWAPS = [
    (" == ", " != ", "comparison flipped"),
    (" != ", " == ", "comparison flipped"),
    (" <= ", " < ", "comparison flipped"),
    (" >= ", " > ", "comparison flipped"),
    (" < ", " <= ", "comparison flipped"),
    (" > ", " >= ", "comparison flipped"),
    (" && ", " || ", "&& and || swapped"),
    (" || ", " && ", "&& and || swapped"),
]
INTEGER = re.compile(r"(?<![\w.])(\d+)(?![\w.])")
CONDITION = re.compile(r"\b(if|while) \(")
RETURN_BOOL = re.compile(r"\breturn (true|false);")
STATEMENT_START = re.compile(r"[;{}:]\s*$")


def closing_paren(masked, start):
    depth = 0
    for i in range(start, len(masked)):
        depth += {"(": 1, ")": -1}.get(masked[i], 0)
        if depth == 0:
            return i
    return -1


def line_mutants(rel, number, line, masked, previous_code):
    """Every mutant of one source line."""
    found = []

    def add(kind, start, end, text):
        found.append(Mutant(rel, number, kind, line, line[:start] + text + line[end:]))

    for old, new, kind in OPERATOR_SWAPS:
        for m in re.finditer(re.escape(old), masked):
            add(kind, m.start(), m.end(), new)
    # A log line's level and a preprocessor line's numbers change nothing a test could see.
    if not masked.lstrip().startswith("#") and "Logfile()" not in masked:
        for m in INTEGER.finditer(masked):
            value = int(m.group(1))
            add("constant moved by one", m.start(), m.end(), str(value + 1 if value == 0 else value - 1))
    for m in CONDITION.finditer(masked):
        close = closing_paren(masked, m.end() - 1)
        if close > 0:
            inner = line[m.end():close]
            add("condition negated", m.end(), close, f"!({inner})")
    for m in RETURN_BOOL.finditer(masked):
        add("return value changed", m.start(1), m.end(1), "false" if m.group(1) == "true" else "true")
    code = masked.strip()
    if (code.endswith(";") and re.search(r"\w", code) and STATEMENT_START.search(previous_code)
            and not re.match(r"(return|break|continue|case|default|using|namespace|template|typedef)\b", code)
            and not re.match(r"[\w:<>,\s*&]+\s[\w]+(\s*=.*|\s*\{.*\}|\s*\(.*\))?;$", code)):
        found.append(Mutant(rel, number, "statement removed", line, ""))
    return found


def all_mutants(root):
    mutants = []
    for rel in mutable_sources(root):
        in_comment, previous_code = False, ";"
        for number, line in enumerate((root / rel).read_text().splitlines(keepends=True), 1):
            masked, in_comment = code_mask(line.rstrip("\n"), in_comment)
            if masked.strip():
                mutants.extend(line_mutants(rel, number, line, masked, previous_code))
                previous_code = masked
    return mutants


class Sources:
    """Writes one mutant into the sources and puts the original back, whatever happens."""

    def __init__(self, root, build_dir):
        self.root = root
        self.pending = build_dir / PENDING
        if self.restore():
            print("restored a source left mutated by an interrupted run")

    def restore(self):
        """Puts the mutated source back; says whether there was one."""
        if not self.pending.exists():
            return False
        saved = json.loads(self.pending.read_text())
        (self.root / saved["file"]).write_text(saved["text"])
        self.pending.unlink()
        return True

    def apply(self, mutant):
        path = self.root / mutant.file
        text = path.read_text()
        lines = text.splitlines(keepends=True)
        index = locate(lines, mutant)
        if index is None:
            return False
        self.pending.write_text(json.dumps({"file": mutant.file, "text": text}))
        lines[index] = mutant.mutated
        path.write_text("".join(lines))
        mutant.line = index + 1
        return True


def locate(lines, mutant):
    """The index of the mutant's line: at its number, or where that text is nearest."""
    if mutant.line <= len(lines) and lines[mutant.line - 1] == mutant.original:
        return mutant.line - 1
    places = [i for i, text in enumerate(lines) if text == mutant.original]
    return min(places, key=lambda i: abs(i + 1 - mutant.line)) if places else None


# Address space a mutant's test program may take: a mutant that allocates without end
# fails there instead of taking the shared machine's memory.
TEST_MEMORY = 4 << 30


def limit_test_memory():
    resource.setrlimit(resource.RLIMIT_AS, (TEST_MEMORY, TEST_MEMORY))


def run(command, timeout, test=False, **kwargs):
    try:
        done = subprocess.run(command, stdout=subprocess.PIPE, stderr=subprocess.STDOUT,
                              timeout=timeout, start_new_session=True,
                              preexec_fn=limit_test_memory if test else None, **kwargs)
        return done.returncode, done.stdout.decode(errors="replace")
    except subprocess.TimeoutExpired as expired:
        return None, (expired.stdout or b"").decode(errors="replace")


def configure(root, build_dir):
    if (build_dir / "build.ninja").exists():
        return
    # Debug without debug information: the fastest to compile and to link again. Warnings
    # do not stop a mutant (an unused variable after a removed line is still a mutant).
    command = ["cmake", "-S", str(root), "-B", str(build_dir), "-G", "Ninja",
               "-DCMAKE_BUILD_TYPE=Debug", "-DCMAKE_CXX_FLAGS_DEBUG=-O0", "-DCMAKE_C_FLAGS_DEBUG=-O0",
               "-DSSL2_WERROR=OFF", "-DSSL2_BUILD_PYTHON=OFF"]
    code, output = run(command, 600)
    if code != 0:
        sys.exit("configure failed:\n" + output)


def test_programs(build_dir):
    return sorted(p for p in build_dir.rglob("*_test") if p.is_file() and os.access(p, os.X_OK))


def build(build_dir, timeout, targets=()):
    code, output = run(["ninja", "-C", str(build_dir), "-j2", *targets], timeout)
    return code == 0, output


def mutant_targets(build_dir):
    """What a mutant needs: the test programs and what the tool's tests run."""
    return [p.name for p in test_programs(build_dir)] + ["ssl2_tool", "retarget_example"]


class CoverageMap:
    """Which tests execute which line, from a map of scripts/coverage-map.py."""

    def __init__(self, path, build_dir):
        document = json.loads(path.read_text())
        self.seconds = {}
        self.by_line = {}
        for entry in document["tests"].values():
            if not entry["gtest"]:
                continue
            test = (entry["program"], entry["gtest"])
            self.seconds[test] = entry["seconds"]
            for rel, numbers in entry["lines"].items():
                for number in numbers:
                    self.by_line.setdefault((rel, number), set()).add(test)
        self.instrumented = {rel: sorted(numbers) for rel, numbers in document["instrumented"].items()}
        self.programs = {p.name: p for p in test_programs(build_dir)}
        # Tests written since the map was made: run them for every mutant.
        self.unknown = set()
        for name, program in self.programs.items():
            code, output = run([str(program), "--gtest_list_tests"], 120, cwd=program.parent)
            self.unknown |= {(name, test) for test in listed_tests(output)} - set(self.seconds)

    def tests_for(self, mutant):
        """The tests that execute the mutant's line, or None where the map cannot tell.
        A line without code of its own (part of a longer statement) takes the tests of
        the instrumented lines around it."""
        numbers = self.instrumented.get(mutant.file)
        if numbers is None:
            return None
        if mutant.line in numbers:
            lines = [mutant.line]
        else:
            lines = [n for n in numbers if n < mutant.line][-1:] + [n for n in numbers if n > mutant.line][:1]
        tests = set().union(*(self.by_line.get((mutant.file, n), set()) for n in lines)) | self.unknown
        return {t for t in tests if t[0] in self.programs}

    def targets(self, tests):
        names = {program for program, _ in tests}
        return sorted(names) + (["ssl2_tool", "retarget_example"] if "tool_test" in names else [])


def listed_tests(output):
    """Full test names from the output of --gtest_list_tests."""
    names, suite = [], ""
    for line in output.splitlines():
        if not line.strip() or line.startswith("Running"):
            continue
        text = line.split("#")[0].rstrip()
        if not line.startswith(" "):
            suite = text
        else:
            names.append(suite + text.strip())
    return names


def run_selected(build_dir, coverage, tests, timeout, all_killers):
    """Runs the chosen tests, program by program; returns the tests that failed (with
    all_killers every one of them, otherwise the first failing program's)."""
    environment = dict(os.environ, TZ="UTC", LC_ALL="C")
    deadline = time.monotonic() + timeout
    failed = []
    by_program = {}
    for program, name in sorted(tests):
        by_program.setdefault(program, []).append(name)
    for program, names in by_program.items():
        path = coverage.programs[program]
        report = build_dir / "mutant-tests.json"
        report.unlink(missing_ok=True)
        command = [str(path), "--gtest_filter=" + ":".join(names), "--gtest_brief=1",
                   f"--gtest_output=json:{report}"] + ([] if all_killers else ["--gtest_fail_fast"])
        code, _ = run(command, max(1, deadline - time.monotonic()), test=True, cwd=path.parent,
                      env=environment)
        if code == 0:
            continue
        named = []
        if report.exists():
            results = json.loads(report.read_text())
            named = [(program, f"{suite['name']}.{case['name']}") for suite in results["testsuites"]
                     for case in suite["testsuite"] if case.get("failures")]
        elif all_killers:
            # A crash or a hang took the program down: run its tests one by one to tell.
            for name in names:
                limit = min(max(1, deadline - time.monotonic()), 10 + 5 * coverage.seconds.get((program, name), 1))
                one, _ = run([str(path), "--gtest_filter=" + name, "--gtest_brief=1"], limit,
                             test=True, cwd=path.parent, env=environment)
                if one != 0:
                    named.append((program, name))
        failed += named or [(program, "(crashed or timed out)")]
        if not all_killers:
            break
    return failed


def tests_pass(build_dir, timeout, source=""):
    """Runs every test program, those beside the mutated source first, each stopping at
    its first failure: the same tests ctest runs one process each, without the cost of
    starting a process per test. The install and Python checks say nothing of a mutant."""
    programs = test_programs(build_dir)
    here = Path(source).parent.as_posix()
    programs.sort(key=lambda p: here not in p.relative_to(build_dir).as_posix())
    environment = dict(os.environ, TZ="UTC", LC_ALL="C")
    deadline = time.monotonic() + timeout
    for program in programs:
        left = deadline - time.monotonic()
        if left <= 0:
            return False
        code, _ = run([str(program), "--gtest_fail_fast", "--gtest_brief=1"], left, test=True,
                      cwd=program.parent, env=environment)
        if code != 0:
            return False
    return True


def interrupted(signum, frame):
    raise KeyboardInterrupt


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("--mutants", type=int, default=60, help="mutants that build, to run")
    parser.add_argument("--seed", type=int, default=1)
    parser.add_argument("--source-dir", type=Path, default=Path(__file__).resolve().parent.parent)
    parser.add_argument("--build-dir", type=Path, default=Path("build/mutate"))
    parser.add_argument("--timeout", type=int, default=600, help="seconds for one mutant's tests")
    parser.add_argument("--save", type=Path, help="write the mutants tried to this list")
    parser.add_argument("--replay", type=Path, help="run the mutants of this list")
    parser.add_argument("--results", type=Path, help="write every mutant with its outcome here")
    parser.add_argument("--map", type=Path, help="run only the tests that execute the mutated line")
    parser.add_argument("--all-killers", action="store_true", help="with --map: record every test that fails")
    args = parser.parse_args()
    root = args.source_dir.resolve()
    build_dir = args.build_dir.resolve()
    build_dir.mkdir(parents=True, exist_ok=True)
    signal.signal(signal.SIGTERM, interrupted)

    sources = Sources(root, build_dir)
    configure(root, build_dir)
    print("building the unmutated tree ...", flush=True)
    ok, output = build(build_dir, 3600)
    if not ok or not tests_pass(build_dir, 3600):
        sys.exit("the unmutated tree must build and pass its tests first\n" + output[-3000:])
    targets = mutant_targets(build_dir)
    coverage = CoverageMap(args.map, build_dir) if args.map else None

    if args.replay:
        queue = [Mutant(**row) for row in json.loads(args.replay.read_text())]
        wanted = len(queue)
    else:
        queue = all_mutants(root)
        random.Random(args.seed).shuffle(queue)
        wanted = args.mutants
        print(f"{len(queue)} mutation points; seed {args.seed}", flush=True)

    outcomes = {"killed": [], "survived": [], "survived (not covered)": [], "did not build": [], "not found": []}
    tried, rows = [], []
    built = 0

    def record():
        if args.save:
            args.save.write_text(json.dumps([asdict(m) for m in tried], indent=1) + "\n")
        if args.results:
            args.results.write_text(json.dumps(rows, indent=1) + "\n")

    try:
        for mutant in queue:
            if built >= wanted:
                break
            original = Mutant(**asdict(mutant))
            tried.append(original)
            killers, chosen = [], None
            started = time.monotonic()
            if not sources.apply(mutant):
                outcome = "not found"
            else:
                try:
                    chosen = coverage.tests_for(mutant) if coverage else None
                    outcome, killers = try_mutant(build_dir, args, mutant, targets, coverage, chosen)
                finally:
                    sources.restore()
                built += outcome not in ("did not build", "not found")
                ran = "" if chosen is None else f" {len(chosen)} tests"
                print(f"[{built}/{wanted}] {outcome:13} {time.monotonic() - started:5.0f}s{ran}  {mutant.label()}",
                      flush=True)
            outcomes[outcome].append((original, mutant))
            rows.append(dict(asdict(original), outcome=outcome, killers=[f"{p}: {t}" for p, t in killers],
                             tests_run=None if chosen is None else len(chosen),
                             seconds=round(time.monotonic() - started, 1)))
            record()
    except KeyboardInterrupt:
        print("interrupted; sources restored", file=sys.stderr)
        sources.restore()
        build(build_dir, 3600)
        raise SystemExit(130)
    finally:
        record()

    # Leave the build directory matching the restored sources.
    build(build_dir, 3600)
    killed = len(outcomes["killed"])
    survived = len(outcomes["survived"]) + len(outcomes["survived (not covered)"])
    print(f"\nkilled {killed}, survived {survived}, did not build {len(outcomes['did not build'])}"
          + (f", not found {len(outcomes['not found'])}" if outcomes["not found"] else ""))
    if killed + survived:
        print(f"kill ratio {100.0 * killed / (killed + survived):.1f}%")
    if survived:
        print("survivors:")
        for _, mutant in outcomes["survived"] + outcomes["survived (not covered)"]:
            print("  " + mutant.label())
    sole = sorted({row["killers"][0] for row in rows if args.all_killers and len(row["killers"]) == 1})
    if sole:
        print("the only test to kill a mutant:")
        for killer in sole:
            print("  " + killer)


def try_mutant(build_dir, args, mutant, targets, coverage, chosen):
    """Builds the written mutant and runs the tests on it: (outcome, killing tests)."""
    if chosen is None:
        ok, _ = build(build_dir, 900, targets)
        if not ok:
            return "did not build", []
        return ("survived", []) if tests_pass(build_dir, args.timeout, mutant.file) else ("killed", [])
    if not chosen:
        # No test executes the line: whether it compiles is all there is to know.
        ok, _ = build(build_dir, 900, object_targets(build_dir, mutant.file))
        return ("survived (not covered)" if ok else "did not build"), []
    ok, _ = build(build_dir, 900, coverage.targets(chosen))
    if not ok:
        return "did not build", []
    killers = run_selected(build_dir, coverage, chosen, args.timeout, args.all_killers)
    return ("killed" if killers else "survived"), killers


def object_targets(build_dir, source):
    """The object files compiled from one source."""
    _, output = run(["ninja", "-C", str(build_dir), "-t", "targets", "all"], 120)
    suffix = f"/{source}.o"
    return [line.split(":")[0] for line in output.splitlines() if line.split(":")[0].endswith(suffix)]


if __name__ == "__main__":
    main()
