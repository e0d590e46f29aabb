#!/bin/sh
# Plays a script that must fail: the harness has to end with 1 and name the line marked
# "# fails here" as SCRIPT:LINE: on standard error, and, when the mark goes on as
# "# fails here: WORDS", say WORDS there: a different rule failing the same line is not the
# failure the script is about. Usage: SCRIPT HARNESS-COMMAND...
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
words=$(sed -n "${line}s/.*# fails here: *//p" "$script")
if [ -n "$words" ] && ! grep "^$script:$line: " "$errors" | grep -qF -- "$words"; then
  echo "expected the message for $script:$line to say: $words" >&2
  exit 1
fi
