#!/usr/bin/env python3
"""Mutation check: does the test suite notice small faults put into the program?

Makes a fixed list of one-line mutants of src/ (the windows and main.cpp left out): a comparison turned
(< <=, > >=, == !=), an expression statement dropped, an integer constant changed (0 <-> 1, n -> n+1), or
&& swapped with ||. For each mutant the file is changed in place (and always put back), the tests are built
in their own folder without the windows, and ctest is run; a mutant that makes a test fail is killed.

  python3 tools/mutate.py --list                 # print the mutants
  python3 tools/mutate.py --out results.json     # run them all
  python3 tools/mutate.py --tree OTHER --only 3,7 --out r.json
  python3 tools/mutate.py --which-tests --out r.json   # also record which tests fail on each mutant
"""

import argparse
import hashlib
import json
import os
import random
import re
import signal
import subprocess
import sys
import time
from pathlib import Path

RANDOM_NUMBER = 12345
DEFAULT_COUNT = 40
TEST_TIMEOUT = 20  # seconds for one test; the whole suite takes a few
RUN_TIMEOUT = 180  # seconds for one build or one test run; a mutant that hangs the tests is killed
EXCLUDED_TESTS = "[Ff]uzz"
EXCLUDED_LABELS = "^wine$"  # the Windows simulator through Wine: slow, and needs its prefix set up

COMPARISON_SWAPS = {"<": "<=", "<=": "<", ">": ">=", ">=": ">", "==": "!=", "!=": "=="}
LOGIC_SWAPS = {"&&": "||", "||": "&&"}
ASSIGN_OPS = r"(?:=(?!=)|\+=|-=|\*=|/=|%=|\|=|&=|\^=|<<=|>>=|\+\+|--)"
EXPRESSION_STATEMENT = re.compile(
    r"^(?:\+\+|--|\*)?[A-Za-z_]\w*(?:\s*(?:\.|->|::)\s*~?[A-Za-z_]\w*|\[[^\]]*\])*\s*(?:\(|" + ASSIGN_OPS + r")")
NOT_DROPPED = re.compile(r"^(?:return|break|continue|case|default|goto|throw|else|do|if|for|while|switch)\b")


def code_mask(lines):
    """For each line, the line with string and character literals and comments blanked out."""
    masked = []
    in_block = False
    for line in lines:
        out = []
        i = 0
        n = len(line)
        while i < n:
            c = line[i]
            if in_block:
                if line.startswith("*/", i):
                    in_block = False
                    out.append("  ")
                    i += 2
                else:
                    out.append(" ")
                    i += 1
                continue
            if line.startswith("//", i):
                out.append(" " * (n - i))
                break
            if line.startswith("/*", i):
                in_block = True
                out.append("  ")
                i += 2
                continue
            if c in "\"'":
                if c == "'" and i > 0 and line[i - 1].isalnum():  # digit separator such as 1'000
                    out.append(c)
                    i += 1
                    continue
                j = i + 1
                while j < n and line[j] != c:
                    j += 2 if line[j] == "\\" else 1
                out.append(c + " " * (min(j, n) - i - 1) + (c if j < n else ""))
                i = j + 1
                continue
            out.append(c)
            i += 1
        masked.append("".join(out)[:n])
    return masked


def candidates_in(rel, lines):
    masked = code_mask(lines)
    found = []
    previous_code = ""
    for index, (line, code) in enumerate(zip(lines, masked)):
        stripped = code.strip()
        number = index + 1
        if not stripped or stripped.startswith("#") or 'R"' in line:
            continue
        if "template" in code or "static_assert" in code or "operator" in code:
            previous_code = stripped
            continue
        for m in re.finditer(r"(?<![<>=!&|+\-*/%^])(<=|>=|==|!=)(?!=)", code):
            found.append(("comparison", number, m.start(), m.group(1), COMPARISON_SWAPS[m.group(1)]))
        for m in re.finditer(r"(?<=\s)([<>])(?=\s)", code):
            found.append(("comparison", number, m.start(), m.group(1), COMPARISON_SWAPS[m.group(1)]))
        for m in re.finditer(r"(&&|\|\|)", code):
            found.append(("logic", number, m.start(), m.group(1), LOGIC_SWAPS[m.group(1)]))
        for m in re.finditer(r"(?<![\w.'])(\d+)(?![\w.'])", code):
            value = int(m.group(1))
            mutated = {0: 1, 1: 0}.get(value, value + 1)
            found.append(("constant", number, m.start(), m.group(1), str(mutated)))
        whole_statement = (stripped.endswith(";") and stripped.count("(") == stripped.count(")")
                           and stripped.count(";") == 1
                           and (previous_code == "" or previous_code[-1] in ";{}:"))
        declared_away = re.search(r"=\s*(?:delete|default)\s*;$", stripped)  # nothing to drop at run time
        if whole_statement and not declared_away and not NOT_DROPPED.match(stripped) \
                and EXPRESSION_STATEMENT.match(stripped):
            start = len(code) - len(code.lstrip())
            found.append(("drop", number, start, line[start:].rstrip("\n"), ""))
        previous_code = stripped
    return [dict(file=rel, line=n, column=col, kind=kind, original=old, mutated=new)
            for kind, n, col, old, new in found]


def source_files(tree):
    src = tree / "src"
    files = []
    for path in sorted(src.rglob("*.cpp")):
        rel = path.relative_to(tree).as_posix()
        if rel.startswith("src/ui/") or rel == "src/main.cpp":
            continue
        files.append(rel)
    return files


def make_mutants(tree, count):
    """The same list every run for the same sources: one pick per file in turn, each a random kind."""
    rng = random.Random(RANDOM_NUMBER)
    by_file = {}
    for rel in source_files(tree):
        lines = (tree / rel).read_text(encoding="utf-8").split("\n")
        found = candidates_in(rel, lines)
        if found:
            by_file[rel] = found
    order = sorted(by_file)
    rng.shuffle(order)
    chosen = []
    while len(chosen) < count and any(by_file.values()):
        for rel in order:
            pool = by_file[rel]
            if not pool or len(chosen) >= count:
                continue
            kinds = sorted({c["kind"] for c in pool})
            kind = rng.choice(kinds)
            of_kind = [c for c in pool if c["kind"] == kind]
            pick = rng.choice(of_kind)
            pool.remove(pick)
            # One mutant per line, so that a line is never counted twice.
            by_file[rel] = [c for c in pool if c["line"] != pick["line"]]
            chosen.append(pick)
    chosen.sort(key=lambda c: (c["file"], c["line"], c["column"]))
    for number, mutant in enumerate(chosen, 1):
        mutant["id"] = number
    return chosen


def apply(text, mutant):
    lines = text.split("\n")
    line = lines[mutant["line"] - 1]
    col = mutant["column"]
    old = mutant["original"]
    if line[col:col + len(old)] != old:
        raise RuntimeError(f"mutant {mutant['id']} no longer matches {mutant['file']}:{mutant['line']}")
    if mutant["kind"] == "drop":
        lines[mutant["line"] - 1] = line[:col] + ";" + " " * (len(old) - 1)
    else:
        lines[mutant["line"] - 1] = line[:col] + mutant["mutated"] + line[col + len(old):]
    return "\n".join(lines)


def describe(mutant):
    where = f"{mutant['file']}:{mutant['line']}"
    if mutant["kind"] == "drop":
        return where, f"drop `{mutant['original'].strip()[:60]}`"
    return where, f"{mutant['original']} -> {mutant['mutated']}"


def run(command, cwd, log, timeout=None):
    """Runs command in a session of its own, so that a timeout ends every process it started."""
    started = time.monotonic()
    process = subprocess.Popen(command, cwd=cwd, stdout=subprocess.PIPE, stderr=subprocess.STDOUT, text=True,
                               errors="replace", start_new_session=True)
    try:
        output, _ = process.communicate(timeout=timeout)
        code = process.returncode
    except subprocess.TimeoutExpired:
        os.killpg(process.pid, signal.SIGKILL)
        output, _ = process.communicate()
        output += f"\n[timed out after {timeout} s]"
        code = -1
    except BaseException:
        os.killpg(process.pid, signal.SIGKILL)
        process.wait()
        raise
    with open(log, "a", encoding="utf-8") as out:
        out.write(f"$ {' '.join(command)}\n{output}\n[exit {code}]\n")
    return code, output, time.monotonic() - started


def configure(tree, build, log, jobs):
    os.environ.setdefault("CMAKE_CXX_COMPILER_LAUNCHER", "ccache")
    os.environ.setdefault("CCACHE_BASEDIR", str(tree.parent))
    options = ["-DCMAKE_BUILD_TYPE=Release", "-DKIVP_BUILD_BENCH=OFF", "-DKIVP_SANITIZE=OFF", "-DKIVP_FUZZ=OFF"]
    if "KIVP_BUILD_UI" in (tree / "CMakeLists.txt").read_text(encoding="utf-8"):
        options.append("-DKIVP_BUILD_UI=OFF")
    if not (build / "CMakeCache.txt").exists():
        code, output, _ = run(["cmake", "-S", str(tree), "-B", str(build)] + options, tree, log)
        if code != 0:
            sys.exit(f"mutate: configuring failed (see {log})\n{output[-2000:]}")
    return ["cmake", "--build", str(build), f"-j{jobs}"]


def test_command(jobs, every_test=False):
    stop = [] if every_test else ["--stop-on-failure"]
    return ["ctest", f"-j{jobs}"] + stop + ["--timeout", str(TEST_TIMEOUT), "-E", EXCLUDED_TESTS,
                                           "-LE", EXCLUDED_LABELS]


def failed_tests(output):
    """The names of the tests ctest lists as failed at the end of its output."""
    names = []
    listing = output.split("The following tests FAILED:", 1)
    if len(listing) == 2:
        for line in listing[1].splitlines():
            m = re.match(r"\s*\d+ - (.+?) \((?:Failed|Timeout|SEGFAULT|Subprocess aborted|Exception|Not Run)"
                         r"[^)]*\)\s*$", line)
            if m:
                names.append(m.group(1).split("  #")[0].strip())
    return names


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--tree", default=str(Path(__file__).resolve().parent.parent),
                        help="source tree to mutate (default: the one this script is in)")
    parser.add_argument("--build-dir", default="build-mutate", help="build folder, relative to the tree")
    parser.add_argument("--out", help="write the results to this JSON file")
    parser.add_argument("--count", type=int, default=DEFAULT_COUNT, help="number of mutants")
    parser.add_argument("--only", help="comma-separated mutant numbers to run")
    parser.add_argument("--jobs", type=int, default=2)
    parser.add_argument("--list", action="store_true", help="print the mutants and stop")
    parser.add_argument("--which-tests", action="store_true",
                        help="run every test on each mutant and record the tests that fail (slower)")
    args = parser.parse_args()

    tree = Path(args.tree).resolve()
    mutants = make_mutants(tree, args.count)
    fingerprint = hashlib.sha256(json.dumps(
        [[m["file"], m["line"], m["column"], m["kind"], m["original"], m["mutated"]] for m in mutants]
    ).encode()).hexdigest()[:12]
    if args.list:
        for m in mutants:
            where, what = describe(m)
            print(f"{m['id']:3}  {m['kind']:<10}  {where:<36}  {what}")
        print(f"{len(mutants)} mutants, list {fingerprint}")
        return 0
    if args.only:
        wanted = {int(x) for x in args.only.split(",") if x.strip()}
        mutants = [m for m in mutants if m["id"] in wanted]

    build = (tree / args.build_dir).resolve()
    build.mkdir(parents=True, exist_ok=True)
    log = build / "mutate.log"
    log.write_text("", encoding="utf-8")
    build_command = configure(tree, build, log, args.jobs)

    # Turn a kill of this script into an exception, so the finally below puts the source back.
    signal.signal(signal.SIGTERM, lambda *_: sys.exit("mutate: stopped"))

    code, output, seconds = run(build_command, tree, log)
    if code != 0:
        sys.exit(f"mutate: the unchanged tree does not build (see {log})")
    code, output, test_seconds = run(test_command(args.jobs), build, log)
    if code != 0:
        sys.exit(f"mutate: the unchanged tree fails its tests (see {log})\n{output[-2000:]}")
    print(f"unchanged tree: tests pass in {test_seconds:.0f} s; {len(mutants)} mutants, list {fingerprint}",
          flush=True)

    results = []
    started = time.monotonic()
    for m in mutants:
        path = tree / m["file"]
        original = path.read_bytes()
        t0 = time.monotonic()
        try:
            path.write_text(apply(original.decode("utf-8"), m), encoding="utf-8")
            code, _, _ = run(build_command, tree, log)
            if code != 0:
                outcome = "build-failed"
            else:
                code, output, _ = run(test_command(args.jobs, args.which_tests), build, log, timeout=RUN_TIMEOUT)
                outcome = "survived" if code == 0 else "killed"
                if args.which_tests:
                    m = dict(m, failed=failed_tests(output))
        finally:
            path.write_bytes(original)
        seconds = time.monotonic() - t0
        where, what = describe(m)
        results.append(dict(m, outcome=outcome, seconds=round(seconds, 1)))
        print(f"{m['id']:3}  {outcome:<12}  {seconds:5.0f} s  {where:<36}  {what}", flush=True)

    # Leave the build matching the unchanged sources.
    run(build_command, tree, log)

    counts = {k: sum(1 for r in results if r["outcome"] == k) for k in ("killed", "survived", "build-failed")}
    built = counts["killed"] + counts["survived"]
    score = 100.0 * counts["killed"] / built if built else 0.0
    summary = (f"{len(results)} mutants: {counts['killed']} killed, {counts['survived']} survived, "
               f"{counts['build-failed']} did not build; {score:.0f}% of the built ones killed "
               f"({time.monotonic() - started:.0f} s, list {fingerprint})")
    print(summary)
    if args.out:
        Path(args.out).write_text(json.dumps(dict(tree=str(tree), list=fingerprint, summary=summary,
                                                  counts=counts, mutants=results), indent=2) + "\n",
                                  encoding="utf-8")
    return 0


if __name__ == "__main__":
    sys.exit(main())
