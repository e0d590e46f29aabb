#!/usr/bin/env python3
"""orbalta-cli as a process: every --json output parses as strict JSON in UTF-8 whatever bytes
the VALUE holds, and an output that cannot be written is a failure, not a success.

usage: cli_process_test.py ORBALTA_CLI"""
import json
import os
import subprocess
import sys

CLI = sys.argv[1]
failures = []


def run(args, stdin=b"", **kw):
    return subprocess.run([CLI] + args, input=stdin, capture_output=True, **kw)


def strict_json(data, name):
    """The objects of one output: a whole document, or one per line (JSON Lines)."""
    try:
        text = data.decode("utf-8", errors="strict")
    except UnicodeDecodeError as e:
        failures.append(f"{name}: not UTF-8: {e}")
        return []
    def no_constants(c):
        raise ValueError("not JSON: " + c)
    try:
        return [json.loads(text, parse_constant=no_constants)]
    except ValueError:
        pass
    objects = []
    for number, line in enumerate(text.splitlines(), 1):
        try:
            objects.append(json.loads(line, parse_constant=no_constants))
        except ValueError as e:
            failures.append(f"{name}: line {number} is not JSON: {e}: {line[:200]!r}")
    return objects


HOSTILE = [
    ("tab", b"1e300\tx"),
    ("control byte", b"\x01"),
    ("every control byte", bytes(range(1, 32)) + b"\x7f"),
    ("byte 0xFF", b"\xff"),
    ("lone continuation", b"1\x80"),
    ("overlong slash", b"\xc0\xaf"),
    ("surrogate", b"\xed\xa0\x80"),
    ("beyond U+10FFFF", b"\xf4\x90\x80\x80"),
    ("cut sequence", b"\xe2\x82"),
    ("quote and backslash", b'"\\"'),
    ("line break", b"1\n2"),
    ("valid UTF-8 kept", "\u20ac1".encode()),
    ("128 KiB of digits", b"1" * 131071),  # the longest argument Linux passes
    ("128 KiB of bytes", bytes(range(1, 256)) * 514),
    ("huge exponent", b"1e-99999999999999999999999999"),
]

for name, value in HOSTILE:
    for args in (["--json"], ["--json", "--format", "64"]):
        r = run(args + ["--", value])
        if r.returncode not in (0, 2):
            failures.append(f"{name}: status {r.returncode}")
        if r.returncode == 0:
            strict_json(r.stdout, name)
        if r.stderr.count(b"\n") > 1:
            failures.append(f"{name}: the message is not one line: {r.stderr[:200]!r}")

# The escapes say which bytes were there: the token ends at the tab, the rejection quotes it all.
r = run(["--json", "--", b"1e400\t\xff\x80\x01"])
wanted = '"1e400\\t\u00ff\u20ac\\x01" is beyond the largest finite binary32'
objects = strict_json(r.stdout, "escapes")
if not objects or objects[0]["binary32"]["rejected"] != wanted:
    failures.append(f"escapes of tab 0xFF 0x80 0x01: {r.stdout[:300]!r}, wanted {wanted}")

# Write errors.
with open("/dev/full", "wb") as full:
    r = subprocess.run([CLI, "0.1"], stdout=full, stderr=subprocess.PIPE)
if r.returncode == 0 or b"cannot write" not in r.stderr:
    failures.append(f"/dev/full: status {r.returncode}, {r.stderr!r}")

read_end, write_end = os.pipe()
os.close(read_end)
# Python ignores SIGPIPE; the child keeps that, so the write fails with EPIPE instead.
r = subprocess.run([CLI, "0.1"], stdout=write_end, stderr=subprocess.PIPE, restore_signals=False)
os.close(write_end)
if r.returncode == 0 or b"cannot write" not in r.stderr:
    failures.append(f"closed pipe: status {r.returncode}, {r.stderr!r}")

for f in failures:
    print(f)
print(f"{len(failures)} failures")
sys.exit(1 if failures else 0)
