#!/usr/bin/env bash
# Starts the desktop program in a virtual X display and saves a picture of the screen:
#   scripts/screenshot.sh OUT.png [tavrola arguments...]
# Keeps to what a user sees: a real window on a real (virtual) screen.
set -euo pipefail
out=$1; shift
cd "$(dirname "$0")/.."
bin=${TAVROLA_BIN:-build/bin/tavrola}
wait_s=${SHOT_WAIT:-3}
xvfb-run -a -s "-screen 0 1400x1000x24" bash -c "
  '$bin' $* &
  pid=\$!
  sleep $wait_s
  import -window root '$out'
  kill \$pid 2>/dev/null || true
"
echo "$out"
