#!/usr/bin/env bash
# Installs what is missing, builds, and starts Tavrola on the demo ward. Without a display
# it says so, prints the latest stored week with its totals and the history per person,
# and saves a picture of the main window on that week instead.
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
echo "No display here: showing the demo ward's latest stored week in text, and the main window as a picture."
# The latest stored week, by the date on its first line (day/month/year).
latest=""
latestKey=0
for f in "$bin"/*.rwk; do
  [ -f "$f" ] || continue
  first=$(head -n 1 "$f" | tr -d '\r')
  IFS=/ read -r d m y <<< "$first"
  key=$(printf '%04d%02d%02d' "$((10#${y:-0}))" "$((10#${m:-0}))" "$((10#${d:-0}))" 2>/dev/null || echo 0)
  if [ "$key" -gt "$latestKey" ]; then latestKey=$key; latest=$f; fi
done
if [ -n "$latest" ]; then
  # The week, the ward, and each line's duties with its totals; then staff per shift.
  "$bin/tavrola-cli" week "$latest" | awk 'NR <= 2 { print; next } /^line\t/ { f = 1 } f { print }'
fi
# This week's Monday (today, on a Monday).
week=$(date -d "$(( $(date +%u) - 1 )) days ago" +%Y-%m-%d 2>/dev/null || date +%Y-%m-%d)
echo
echo "Stored weeks before $week, per person: non-preferred shifts and carried-over hours"
"$bin/tavrola-cli" history --week "$week"
shot="$PWD/$dir/tavrola-demo.png"
QT_QPA_PLATFORM=offscreen "$bin/tavrola" --screenshot "$shot" ${latest:+"$latest"}
echo "Main window on the demo ward${latest:+, week of $(basename "$latest" .rwk)}: $shot"
