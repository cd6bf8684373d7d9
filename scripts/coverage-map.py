#!/usr/bin/env python3
"""Which lines and branches of the library and the tool each test covers, test by test.

    scripts/coverage-map.py collect [--jobs 2] [--only REGEX] [--map FILE]
    scripts/coverage-map.py unique [--map FILE]
    scripts/coverage-map.py lost [--map FILE] --remove NAME... [--remove-file LIST]

collect runs every ctest test of the coverage build (build/coverage) on its own, with its
counts kept apart (GCOV_PREFIX), reads them with gcov and writes one map: per test, the
lines covered and the branches taken in the library's and the tool's sources (the same
files `make coverage` counts: no tests, test support or generated parsers), where the test
is written and how long its body is. Each test's result is kept under the map's directory,
so a run that was stopped goes on where it stopped; results of another commit are run again.

unique prints a TSV, one row per test: what it covers and what no other test covers.
lost prints the lines and branches no test would cover any more if all the named tests
went (names may be shell patterns such as 'Suite.*'), with their source text.
"""

import argparse
import fnmatch
import functools
import hashlib
import json
import os
import re
import shutil
import subprocess
import sys
import time
from collections import Counter, defaultdict
from multiprocessing import Pool
from pathlib import Path
from urllib.parse import quote

sys.dont_write_bytecode = True
sys.path.insert(0, str(Path(__file__).resolve().parent))
from mutate import code_mask  # noqa: E402

ROOT = Path(__file__).resolve().parent.parent
SOURCE_DIRS = ("ssl2/", "tools/ssl2/")
TEST_MACRO = re.compile(r"\b(?:TEST|TEST_F|TEST_P|TYPED_TEST|TYPED_TEST_P)\s*\(\s*(\w+)\s*,\s*(\w+)\s*\)")


def counted(rel):
    """Whether a source counts as the library's or the tool's, as `make coverage` counts."""
    return (rel.startswith(SOURCE_DIRS) and not rel.endswith("_test.cpp")
            and "/tests/" not in rel and "/testdata/" not in rel)


def head_commit(root):
    done = subprocess.run(["git", "-C", str(root), "rev-parse", "HEAD"], capture_output=True, text=True)
    return done.stdout.strip()


def masked_lines(path):
    """The lines of a source with literals and comments blanked out."""
    masked, in_comment = [], False
    for line in path.read_text(errors="replace").splitlines():
        text, in_comment = code_mask(line, in_comment)
        masked.append(text)
    return masked


# ---------------------------------------------------------------- where each test is written

def test_sources(root):
    """(suite, name) -> (file, line, body lines) of every TEST-like macro in the tests."""
    found = {}
    for top in ("ssl2", "tools", "tests"):
        for path in sorted((root / top).rglob("*.cpp")):
            rel = path.relative_to(root).as_posix()
            masked = masked_lines(path)
            for number, text in enumerate(masked):
                for m in TEST_MACRO.finditer(text):
                    found[(m.group(1), m.group(2))] = (rel, number + 1, body_length(masked, number, m.end()))
    return found


def body_length(masked, first, column):
    """Lines from the macro to the brace that closes its body."""
    depth, opened = 0, False
    for number in range(first, len(masked)):
        for char in masked[number][column if number == first else 0:]:
            if char == "{":
                depth, opened = depth + 1, True
            elif char == "}":
                depth -= 1
                if opened and depth == 0:
                    return number - first + 1
    return 0


def locate(full_name, sources):
    """Source of a gtest name: Suite.Name, Instance/Suite.Name/Param or Suite/Type.Name."""
    suite_part, _, name_part = full_name.partition(".")
    name = name_part.split("/")[0]
    for suite in reversed(suite_part.split("/")):
        if (suite, name) in sources:
            return sources[(suite, name)]
    return None


# ---------------------------------------------------------------- collect

def ctest_tests(build):
    done = subprocess.run(["ctest", "--test-dir", str(build), "--show-only=json-v1"],
                          capture_output=True, text=True, check=True)
    tests = []
    for test in json.loads(done.stdout)["tests"]:
        properties = {p["name"]: p["value"] for p in test.get("properties", [])}
        environment = dict(item.split("=", 1) for item in properties.get("ENVIRONMENT", []))
        tests.append({"name": test["name"], "command": test["command"],
                      "cwd": properties.get("WORKING_DIRECTORY", str(build)),
                      "env": environment, "timeout": float(properties.get("TIMEOUT", 600))})
    return tests


def gtest_name(command):
    for argument in command:
        if argument.startswith("--gtest_filter="):
            return argument.split("=", 1)[1]
    return None


class Reader:
    """Reads .gcda files with gcov, keeping each file's result by its content, because many
    tests leave the same counts in the same object file."""

    def __init__(self, root, cache):
        self.root = root
        self.cache = cache
        self.sources = {}

    def read(self, prefix):
        lines, branches = defaultdict(set), defaultdict(set)
        instrumented = defaultdict(set)
        pending = {}
        for gcda in prefix.rglob("*.gcda"):
            original = Path("/") / gcda.relative_to(prefix)
            key = hashlib.sha1(str(original).encode() + gcda.read_bytes()).hexdigest()
            stored = self.cache / f"{key}.json"
            if stored.exists():
                self.merge(json.loads(stored.read_text()), lines, branches, instrumented)
                continue
            notes = original.with_suffix(".gcno")
            if notes.exists():
                link = gcda.with_suffix(".gcno")
                if not link.exists():
                    link.symlink_to(notes)
                pending[str(gcda)] = stored
        names = list(pending)
        for start in range(0, len(names), 100):
            done = subprocess.run(["gcov", "-b", "--json-format", "--stdout", *names[start:start + 100]],
                                  cwd=prefix, capture_output=True, text=True)
            for text in done.stdout.splitlines():
                if not text.startswith("{"):
                    continue
                data = json.loads(text)
                result = self.counted_lines(data)
                target = pending.get(str(prefix / data["data_file"]))
                if target is not None:
                    target.write_text(json.dumps(result))
                self.merge(result, lines, branches, instrumented)
        return lines, branches, instrumented

    def counted_lines(self, data):
        """Covered lines, taken branches and all instrumented lines of the counted sources.
        Branches on lines without code and branches taken by a throw are left out, as
        `make coverage` leaves them out."""
        result = {}
        for record in data["files"]:
            path = Path(record["file"])
            if not path.is_absolute():
                path = Path(data["current_working_directory"]) / path
            try:
                rel = path.resolve().relative_to(self.root).as_posix()
            except ValueError:
                continue
            if not counted(rel):
                continue
            covered, taken, every, seen = set(), set(), set(), Counter()
            for line in record["lines"]:
                number = line["line_number"]
                every.add(number)
                if line["count"] > 0:
                    covered.add(number)
                code = self.code_line(rel, number)
                for branch in line["branches"]:
                    index = seen[number]
                    seen[number] += 1
                    if branch["throw"] or code.replace(" ", "").strip() in ("", "{", "}", "{}"):
                        continue
                    if branch["count"] > 0:
                        taken.add(f"{number}:{index}")
            entry = result.setdefault(rel, {"lines": [], "branches": [], "all": []})
            entry["lines"] = sorted(set(entry["lines"]) | covered)
            entry["branches"] = sorted(set(entry["branches"]) | taken)
            entry["all"] = sorted(set(entry["all"]) | every)
        return result

    def code_line(self, rel, number):
        if rel not in self.sources:
            self.sources[rel] = masked_lines(self.root / rel)
        masked = self.sources[rel]
        return masked[number - 1] if number <= len(masked) else ""

    @staticmethod
    def merge(result, lines, branches, instrumented):
        for rel, entry in result.items():
            lines[rel].update(entry["lines"])
            branches[rel].update(entry["branches"])
            instrumented[rel].update(entry["all"])


def run_one(job):
    test, workdir, root, commit = job
    out = workdir / "tests" / (quote(test["name"], safe="") + ".json")
    prefix = workdir / "run" / str(os.getpid())
    shutil.rmtree(prefix, ignore_errors=True)
    prefix.mkdir(parents=True)
    environment = dict(os.environ, **test["env"], GCOV_PREFIX=str(prefix), GCOV_PREFIX_STRIP="0")
    started = time.monotonic()
    try:
        done = subprocess.run(["nice", "-n", "10", *test["command"]], cwd=test["cwd"], env=environment,
                              stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, timeout=test["timeout"])
        status = "passed" if done.returncode == 0 else "skipped" if done.returncode == 77 else "failed"
    except subprocess.TimeoutExpired:
        status = "timed out"
    seconds = time.monotonic() - started
    lines, branches, instrumented = Reader(root, workdir / "cache").read(prefix)
    shutil.rmtree(prefix, ignore_errors=True)
    result = {"name": test["name"], "commit": commit, "status": status, "seconds": round(seconds, 2),
              "read_seconds": round(time.monotonic() - started - seconds, 2),
              "lines": {rel: sorted(v) for rel, v in sorted(lines.items()) if v},
              "branches": {rel: sorted(v) for rel, v in sorted(branches.items()) if v},
              "instrumented": {rel: sorted(v) for rel, v in sorted(instrumented.items())}}
    out.write_text(json.dumps(result))
    return test["name"], status, seconds, result["read_seconds"]


def collect(args):
    build = args.build_dir.resolve()
    workdir = args.map.resolve().parent
    (workdir / "tests").mkdir(parents=True, exist_ok=True)
    (workdir / "cache").mkdir(exist_ok=True)
    commit = head_commit(ROOT)
    tests = [t for t in ctest_tests(build) if not args.only or re.search(args.only, t["name"])]
    todo = []
    for test in tests:
        out = workdir / "tests" / (quote(test["name"], safe="") + ".json")
        if not (out.exists() and json.loads(out.read_text()).get("commit") == commit):
            todo.append((test, workdir, ROOT, commit))
    # The long ones first, so that two workers finish together.
    todo.sort(key=lambda job: gtest_name(job[0]["command"]) is not None)
    print(f"{len(tests)} tests, {len(tests) - len(todo)} already collected at {commit[:7]}", flush=True)
    started = time.monotonic()
    with Pool(args.jobs) as pool:
        for count, (name, status, seconds, reading) in enumerate(pool.imap_unordered(run_one, todo), 1):
            print(f"[{count}/{len(todo)}] {status:9} {seconds:6.1f}s run {reading:5.1f}s read  {name}", flush=True)
    print(f"collected in {time.monotonic() - started:.0f}s", flush=True)
    write_map(args.map, workdir, tests, commit)


def write_map(path, workdir, tests, commit):
    sources = test_sources(ROOT)
    entries, instrumented = {}, defaultdict(set)
    for test in tests:
        out = workdir / "tests" / (quote(test["name"], safe="") + ".json")
        if not out.exists():
            continue
        result = json.loads(out.read_text())
        full = gtest_name(test["command"])
        where = locate(full, sources) if full else None
        if where is None and not full:
            script = next((a for a in test["command"] if a.startswith(str(ROOT)) and Path(a).is_file()), None)
            where = (Path(script).relative_to(ROOT).as_posix(), 0, 0) if script else ("-", 0, 0)
        file, line, body = where or ("?", 0, 0)
        for rel, numbers in result["instrumented"].items():
            instrumented[rel].update(numbers)
        entries[test["name"]] = {
            "program": Path(test["command"][0]).name, "gtest": full, "file": file, "line": line,
            "body": body, "status": result["status"], "seconds": result["seconds"],
            "lines": result["lines"], "branches": result["branches"]}
    document = {"commit": commit, "tests": entries,
                "instrumented": {rel: sorted(v) for rel, v in sorted(instrumented.items())}}
    path.write_text(json.dumps(document, separators=(",", ":")) + "\n")
    print(f"map of {len(entries)} tests written to {path} ({path.stat().st_size // 1024} KiB)")


# ---------------------------------------------------------------- unique and lost

def load(path):
    document = json.loads(path.read_text())
    for entry in document["tests"].values():
        entry["line_set"] = {(rel, n) for rel, numbers in entry["lines"].items() for n in numbers}
        entry["branch_set"] = {(rel, b) for rel, names in entry["branches"].items() for b in names}
    return document


def coverers(tests):
    lines, branches = Counter(), Counter()
    for entry in tests.values():
        lines.update(entry["line_set"])
        branches.update(entry["branch_set"])
    return lines, branches


def unique(args):
    document = load(args.map)
    tests = document["tests"]
    lines, branches = coverers(tests)
    print("test\tsource\tbody lines\tcovered lines\tcovered branches\tunique lines\tunique branches\tstatus")
    for name, entry in sorted(tests.items(), key=lambda item: (item[1]["file"], item[1]["line"], item[0])):
        alone_lines = sum(1 for key in entry["line_set"] if lines[key] == 1)
        alone_branches = sum(1 for key in entry["branch_set"] if branches[key] == 1)
        print(f"{name}\t{entry['file']}:{entry['line']}\t{entry['body']}\t{len(entry['line_set'])}\t"
              f"{len(entry['branch_set'])}\t{alone_lines}\t{alone_branches}\t{entry['status']}")


@functools.lru_cache(maxsize=None)
def source_lines(commit, rel):
    """The source as it was at the map's commit (the worktree's copy if git lacks it)."""
    done = subprocess.run(["git", "-C", str(ROOT), "show", f"{commit}:{rel}"], capture_output=True, text=True)
    return (done.stdout if done.returncode == 0 else (ROOT / rel).read_text(errors="replace")).splitlines()


def lost(args):
    document = load(args.map)
    tests = document["tests"]
    patterns = list(args.remove or [])
    if args.remove_file:
        patterns += [p.strip() for p in args.remove_file.read_text().splitlines() if p.strip()]
    removed = set()
    for pattern in patterns:
        matched = [name for name in tests if fnmatch.fnmatchcase(name, pattern)]
        if not matched:
            print(f"not in the map: {pattern}", file=sys.stderr)
        removed.update(matched)
    kept = {name: entry for name, entry in tests.items() if name not in removed}
    left_lines, left_branches = coverers(kept)
    gone_lines, gone_branches = set(), set()
    for name in removed:
        gone_lines |= {key for key in tests[name]["line_set"] if not left_lines[key]}
        gone_branches |= {key for key in tests[name]["branch_set"] if not left_branches[key]}
    for rel, number in sorted(gone_lines):
        print(f"{rel}:{number}: {source_lines(document['commit'], rel)[number - 1].strip()}")
    for rel, branch in sorted(gone_branches, key=lambda key: (key[0], [int(x) for x in key[1].split(':')])):
        number, index = branch.split(":")
        print(f"{rel}:{number}: branch {index}: {source_lines(document['commit'], rel)[int(number) - 1].strip()}")
    all_lines, all_branches = coverers(tests)
    print(f"\n{len(removed)} tests removed; no longer covered: {len(gone_lines)} lines, "
          f"{len(gone_branches)} branches (of {len(all_lines)} lines and {len(all_branches)} branches "
          f"covered by the map of {document['commit'][:7]})")


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    common = argparse.ArgumentParser(add_help=False)
    common.add_argument("--map", type=Path, default=ROOT / "build/coverage-map/map.json")
    commands = parser.add_subparsers(dest="command", required=True)
    run = commands.add_parser("collect", parents=[common], help="run each test alone and write the map")
    run.add_argument("--build-dir", type=Path, default=ROOT / "build/coverage")
    run.add_argument("--jobs", type=int, default=2)
    run.add_argument("--only", help="collect only the tests whose name matches this regex")
    commands.add_parser("unique", parents=[common], help="per test: covered, and covered by no other test (TSV)")
    gone = commands.add_parser("lost", parents=[common], help="what no test covers any more without the named tests")
    gone.add_argument("--remove", nargs="*", help="test names or shell patterns")
    gone.add_argument("--remove-file", type=Path, help="a file of test names, one a line")
    args = parser.parse_args()
    {"collect": collect, "unique": unique, "lost": lost}[args.command](args)


if __name__ == "__main__":
    main()
