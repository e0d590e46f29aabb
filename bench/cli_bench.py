#!/usr/bin/env python3
"""orbalta-cli over 10,000 decimals in one process (--json, all three formats) against one
Python process doing the core of the same with fractions (bench/cli_fractions.py). The two are
run in turn, several times; medians of the CPU time (user + system, less shaken than the
wall clock on a shared machine) and their ratio are printed.

usage: cli_bench.py ORBALTA_CLI [RUNS]"""
import os
import random
import resource
import statistics
import subprocess
import sys
import tempfile

cli = sys.argv[1]
runs = int(sys.argv[2]) if len(sys.argv) > 2 else 5
fractions = os.path.join(os.path.dirname(os.path.abspath(__file__)), "cli_fractions.py")

# Decimals as users type them: 1 to 17 significant digits, exponents within binary32's range.
rng = random.Random(22)
values = []
for _ in range(10_000):
    digits = "".join(rng.choice("0123456789") for _ in range(rng.randint(1, 17))).lstrip("0") or "0"
    values.append(f"{'-' if rng.random() < 0.5 else ''}{digits}e{rng.randint(-45, 30)}")

with tempfile.TemporaryFile() as data:
    data.write(("\n".join(values) + "\n").encode())
    times = {"orbalta-cli": [], "python fractions": []}
    commands = {"orbalta-cli": [cli, "--json"], "python fractions": [sys.executable, fractions]}
    for _ in range(runs):
        for name, command in commands.items():
            data.seek(0)
            before = resource.getrusage(resource.RUSAGE_CHILDREN)
            r = subprocess.run(command, stdin=data, stdout=subprocess.PIPE)
            after = resource.getrusage(resource.RUSAGE_CHILDREN)
            times[name].append(after.ru_utime - before.ru_utime + after.ru_stime - before.ru_stime)
            lines = r.stdout.count(b"\n")
            if lines != len(values):
                sys.exit(f"{name}: {lines} lines for {len(values)} values (status {r.returncode})")

cli_median = statistics.median(times["orbalta-cli"])
py_median = statistics.median(times["python fractions"])
print(f"10,000 decimals in one process, all three formats, JSON Lines; CPU time, median of {runs} runs each, in turn")
for name, t in times.items():
    print(f"  {name:17s} median {statistics.median(t):7.3f} s  (runs: {', '.join(f'{x:.3f}' for x in t)})")
print(f"  ratio orbalta-cli / python fractions: {cli_median / py_median:.3f}")
