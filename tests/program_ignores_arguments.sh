#!/bin/sh
# The program takes no arguments: with toolkit options on its command line it must start and
# keep running as without them (timeout's 124), not abort on an unknown platform.
program=$1
for args in "-platform nosuchplatform" "-reverse" "-style nosuchstyle --help"; do
  # shellcheck disable=SC2086
  timeout 2 "$program" $args >/dev/null 2>&1
  code=$?
  if [ "$code" -ne 124 ]; then
    echo "orbalta $args: ended with $code instead of running"
    exit 1
  fi
done
