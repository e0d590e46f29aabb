#!/bin/sh
# scripts/run-window without a display: it skips a VNC port that is taken, prints the port its
# own server listens on, and reports a server that fails to start as an error with its message.
script=$1
work=$(mktemp -d)
trap 'kill "$holder" 2>/dev/null; rm -rf "$work"' EXIT
printf '#!/bin/sh\nexit 0\n' >"$work/program"
chmod +x "$work/program"

taken=$((20000 + $$ % 20000))
python3 -c "
import socket, time
s = socket.socket()
s.bind(('127.0.0.1', $taken))
s.listen()
open('$work/held', 'w').close()
time.sleep(120)" &
holder=$!
# A loaded machine can take seconds to start python: wait until the port is really held.
for _ in $(seq 200); do [ -e "$work/held" ] && break; sleep 0.1; done
[ -e "$work/held" ] || { echo "could not hold port $taken for the test"; exit 1; }

out=$(env -u DISPLAY RUN_WINDOW_FIRST_PORT=$taken "$script" "$work/program" 2>&1) || {
  echo "run-window failed with a free port next to a taken one: $out"
  exit 1
}
served=$(echo "$out" | sed -n 's|.*vnc://127.0.0.1:\([0-9]*\) .*|\1|p')
if [ -z "$served" ] || [ "$served" = "$taken" ]; then
  echo "expected a port other than the taken $taken: $out"
  exit 1
fi

mkdir "$work/bin"
printf '#!/bin/sh\necho "listen_on: could not bind the port"\nexit 1\n' >"$work/bin/x11vnc"
chmod +x "$work/bin/x11vnc"
if out=$(env -u DISPLAY PATH="$work/bin:$PATH" "$script" "$work/program" 2>&1); then
  echo "a VNC server that failed was reported as success: $out"
  exit 1
fi
case $out in
  *"Window served"*) echo "a dead server's address was printed: $out"; exit 1 ;;
  *"could not bind the port"*) ;;
  *) echo "the server's message is missing: $out"; exit 1 ;;
esac
