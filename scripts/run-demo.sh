#!/usr/bin/env bash
# Installs what is missing, builds, and starts Tavrola on the demo ward. Without a display
# it says so, prints the demo ward as the command line sees it and saves a picture of the
# main window instead.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
dir=$(scripts/build.sh | tail -n 1)
demo="$PWD/data/demo"
if [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; then
  exec "$dir/bin/tavrola" --data "$demo"
fi
echo "No display here: showing the demo ward in text, and the main window as a picture."
"$dir/bin/tavrola-cli" settings --data "$demo"
shot="$PWD/$dir/tavrola-demo.png"
QT_QPA_PLATFORM=offscreen "$dir/bin/tavrola" --data "$demo" --screenshot "$shot"
echo "Main window on the demo ward: $shot"
