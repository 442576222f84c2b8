#!/usr/bin/env bash
# Installs what is missing, builds, and starts Tavrola on the demo ward. Without a display
# it says so, prints the demo ward as the command line sees it and saves a picture of the
# main window instead.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
dir=$(scripts/build.sh | tail -n 1)
# The build puts a copy of the demo ward beside the programs, where Tavrola looks first;
# the copy in data/demo stays as shipped.
bin="$PWD/$dir/bin"
if [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; then
  exec "$bin/tavrola"
fi
echo "No display here: showing the demo ward in text, and the main window as a picture."
"$bin/tavrola-cli" settings
week=$(date -d "last monday" +%Y-%m-%d 2>/dev/null || date +%Y-%m-%d)
echo
echo "Stored weeks before $week, per person: non-preferred shifts and carried-over hours"
"$bin/tavrola-cli" history --week "$week"
shot="$PWD/$dir/tavrola-demo.png"
QT_QPA_PLATFORM=offscreen "$bin/tavrola" --screenshot "$shot"
echo "Main window on the demo ward: $shot"
