#!/bin/sh
# Plays a script that must fail: the harness has to end with 1 and name the line marked
# "# fails here" as SCRIPT:LINE: on standard error. Usage: SCRIPT HARNESS-COMMAND...
script=$1
shift
line=$(grep -n '# fails here' "$script" | head -n 1 | cut -d: -f1)
if [ -z "$line" ]; then
  echo "$script: no line is marked '# fails here'" >&2
  exit 1
fi
errors=$(mktemp)
trap 'rm -f "$errors"' EXIT
"$@" "$script" 2>"$errors"
code=$?
cat "$errors" >&2
if [ "$code" -ne 1 ]; then
  echo "expected exit code 1, got $code" >&2
  exit 1
fi
if ! grep -q "^$script:$line: " "$errors"; then
  echo "expected a message naming $script:$line" >&2
  exit 1
fi
