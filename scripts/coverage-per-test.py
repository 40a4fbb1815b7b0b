#!/usr/bin/env python3
"""Which tests reach nothing that other tests do not.

Runs every test of a coverage build (scripts/coverage.sh leaves one in build-cov/) alone, each
with its own GCOV_PREFIX, reads which src/ lines and branches it reached, and lists the tests
whose lines and branches other tests reach too, largest first, with the tests that run most of
the same lines. A test on the list is a question, not a verdict: it may still be the one place a
rule is asserted.

    scripts/coverage-per-test.py [BUILD_DIR] [--jobs N] [--keep FILE.json]
"""
import argparse
import collections
import concurrent.futures
import json
import os
import re
import shutil
import struct
import subprocess
import tempfile

EXECUTABLES = ["core_tests", "cli_tests", "gui_tests"]


def test_names(build, exe):
    listing = subprocess.run([f"{build}/bin/{exe}", "--gtest_list_tests"], capture_output=True,
                             text=True, env=environment(None)).stdout
    suite, names = None, []
    for line in listing.splitlines():
        if not line.strip():
            continue
        if line.startswith(" "):
            names.append(suite + line.split("#")[0].strip())
        else:
            suite = line.split("#")[0].strip()
    return names


def environment(prefix):
    env = dict(os.environ, QT_QPA_PLATFORM="offscreen", LANGUAGE="en", QUILLMATE_NO_SPLASH="1")
    if prefix:
        env["GCOV_PREFIX"] = prefix
    return env


def counted_anything(data):
    # A .gcda file: a 16-byte header, then records of tag and byte length (negative when all
    # counters are zero). Files of code the test never ran are passed over, which saves most
    # of the gcov calls.
    at = 16
    while at + 8 <= len(data):
        tag, length = struct.unpack_from("<Ii", data, at)
        at += 8
        if tag == 0:
            break
        if length < 0:
            continue
        if tag == 0x01A10000 and any(struct.unpack_from(f"<{length // 8}q", data, at)):
            return True
        at += length
    return False


def reached(build, root, prefix):
    files = []
    for folder, _, names in os.walk(prefix + build + "/src"):
        for name in names:
            if not name.endswith(".gcda"):
                continue
            gcda = os.path.join(folder, name)
            if not counted_anything(open(gcda, "rb").read()):
                continue
            notes = gcda[len(prefix):-5] + ".gcno"
            if os.path.exists(notes):
                os.symlink(notes, gcda[:-5] + ".gcno")
                files.append(gcda)
    lines, branches = set(), set()
    for start in range(0, len(files), 40):
        out = subprocess.run(["gcov", "--json-format", "--stdout", "--branch-probabilities"] +
                             files[start:start + 40], capture_output=True, text=True,
                             cwd=build).stdout
        for document in out.splitlines():
            if not document.startswith("{"):
                continue
            data = json.loads(document)
            for source in data.get("files", []):
                path = os.path.normpath(os.path.join(data["current_working_directory"],
                                                     source["file"]))
                if not path.startswith(root + "/src/"):
                    continue
                where = path[len(root) + 1:]
                for line in source["lines"]:
                    if line["count"] > 0:
                        lines.add(f"{where}:{line['line_number']}")
                    for i, branch in enumerate(line.get("branches", [])):
                        if branch["count"] > 0 and not branch.get("throw"):
                            branches.add(f"{where}:{line['line_number']}:{i}")
    return lines, branches


def run_alone(build, root, scratch, exe, name):
    prefix = os.path.join(scratch, f"{exe}-{re.sub(r'[^A-Za-z0-9_.]', '_', name)}")
    os.makedirs(prefix)
    result = subprocess.run([f"{build}/bin/{exe}", f"--gtest_filter={name}"], cwd=build,
                            capture_output=True, env=environment(prefix), timeout=900)
    lines, branches = reached(build, root, prefix)
    shutil.rmtree(prefix, ignore_errors=True)
    return f"{exe}:{name}", {"passed": result.returncode == 0, "lines": sorted(lines),
                             "branches": sorted(branches)}


def test_sizes(root):
    # Lines from each TEST's opening to its closing brace at the start of a line.
    sizes = {}
    pattern = re.compile(r"^TEST(?:_F|_P)?\(\s*(\w+)\s*,\s*(\w+)\s*\)", re.M)
    for folder, _, names in os.walk(os.path.join(root, "tests")):
        for name in names:
            if name.endswith(".cpp"):
                text = open(os.path.join(folder, name), encoding="utf-8", errors="replace").read()
                for match in pattern.finditer(text):
                    end = text.find("\n}\n", match.start())
                    size = text.count("\n", match.start(), end if end >= 0 else len(text)) + 2
                    sizes[f"{match.group(1)}.{match.group(2)}"] = size
    return sizes


def size_of(sizes, test):
    name = re.sub(r"/\d+$", "", test.split(":", 1)[1])  # parameterised: Prefix/Suite.Name/3
    suite, _, case = name.partition(".")
    return sizes.get(f"{suite.split('/')[-1]}.{case}", 0)


def report(results, root):
    sizes = test_sizes(root)
    line_users = collections.Counter()
    branch_users = collections.Counter()
    for r in results.values():
        line_users.update(r["lines"])
        branch_users.update(r["branches"])
    failed = [t for t, r in results.items() if not r["passed"]]
    if failed:
        print("failed when run alone (their figures may be short):", *failed, sep="\n  ")
    # Greedy, largest first: a test goes on the list when what it reaches is still reached by
    # the tests not on the list.
    unmeasured = [t for t, r in results.items() if not r["lines"]]
    if unmeasured:
        print("reached no src/ line that could be counted (no such test, or a forked child",
              "whose counts are lost):", *unmeasured, sep="\n  ")
    listed = []
    for test in sorted(results, key=lambda t: -size_of(sizes, t)):
        lines, branches = results[test]["lines"], results[test]["branches"]
        if not lines:
            continue
        if all(line_users[x] > 1 for x in lines) and all(branch_users[x] > 1 for x in branches):
            line_users.subtract(lines)
            branch_users.subtract(branches)
            listed.append(test)
    sets = {t: set(r["lines"]) for t, r in results.items()}
    for test in listed:
        mine = sets[test]
        closest = sorted(((len(mine & s) / max(len(mine), 1), t) for t, s in sets.items()
                          if t != test), reverse=True)[:2]
        print(f"{size_of(sizes, test):4d} lines  {test}  ({len(mine)} src lines)")
        for share, other in closest:
            print(f"            {int(100 * share):3d}% of them also run by {other}")
    total = sum(size_of(sizes, t) for t in listed)
    print(f"{len(listed)} of {len(results)} tests reach nothing the others do not "
          f"({total} test lines)")


def main():
    root = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("build", nargs="?", default=os.path.join(root, "build-cov"))
    parser.add_argument("--jobs", type=int, default=2)
    parser.add_argument("--keep", help="write each test's lines and branches to this file")
    args = parser.parse_args()
    build = os.path.abspath(args.build)
    jobs = [(exe, name) for exe in EXECUTABLES if os.path.exists(f"{build}/bin/{exe}")
            for name in test_names(build, exe)]
    results = {}
    with tempfile.TemporaryDirectory() as scratch, \
            concurrent.futures.ThreadPoolExecutor(args.jobs) as pool:
        for done, (test, result) in enumerate(
                pool.map(lambda job: run_alone(build, root, scratch, *job), jobs), 1):
            results[test] = result
            if done % 50 == 0:
                print(f"{done}/{len(jobs)} tests run", flush=True)
    if args.keep:
        json.dump(results, open(args.keep, "w"))
    report(results, root)


if __name__ == "__main__":
    main()
