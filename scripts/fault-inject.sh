#!/usr/bin/env bash
# Kills Tavrola's programs with SIGKILL at random moments and counts lost weeks.
#   scripts/fault-inject.sh [--bin DIR] [TRIALS]   (default 200 trials, build/bin)
# Odd trials kill `tavrola-cli fill --save` writing over the week it read: the week file
# must afterwards read whole (old or new). Even trials kill a document being typed into
# with recovery files on: a recovery file must hold every edit made more than a second
# before the kill. Prints the count of each kind and of lost weeks; exits 1 on any loss.
set -euo pipefail
cd "$(dirname "$0")/.."
bin=build/bin
if [ "${1:-}" = "--bin" ]; then bin=$2; shift 2; fi
trials=${1:-200}
demo=data/demo
week="Monday, 30 November 2026 (Cedar Ward 7).rwk"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

now_ms() { date +%s%3N; }

lost=0 saves=0 edits=0
for ((t = 1; t <= trials; t++)); do
  ward="$work/ward$t"
  mkdir -p "$ward" "$work/recovery$t"
  cp "$demo/Staff.txt" "$demo/$week" "$ward/"
  if ((t % 2)); then
    saves=$((saves + 1))
    "$bin/tavrola-cli" fill --data "$ward" --week 2026-11-30 --file "$ward/$week" --seed "$t" \
      --max-candidates 500 --save "$ward/$week" >/dev/null 2>&1 &
    pid=$!
    sleep "0.$(printf '%03d' $((RANDOM % 700)))"
    kill -9 "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
    if ! "$bin/tavrola-cli" week --data "$ward" "$ward/$week" >/dev/null 2>&1; then
      echo "trial $t: the week file does not read after a killed save" >&2
      lost=$((lost + 1))
    fi
  else
    edits=$((edits + 1))
    log="$work/edits$t.log"
    "$bin/recovery_soak" edit "$ward" "$work/recovery$t" >"$log" 2>/dev/null &
    pid=$!
    sleep "1.$(printf '%03d' $((RANDOM % 1000)))"
    killed=$(now_ms)
    kill -9 "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
    # The last edit made at least a second before the kill must be in a recovery file.
    need=$(awk -v limit=$((killed - 1000)) '$2 <= limit { n = $1 } END { print n + 0 }' "$log")
    have=$("$bin/recovery_soak" check "$ward" "$work/recovery$t")
    if [ "$need" -gt 0 ] && [ "$have" -lt "$need" ]; then
      echo "trial $t: edit $need was made a second before the kill, the recovery file holds up to $have" >&2
      lost=$((lost + 1))
    fi
  fi
  rm -rf "$ward" "$work/recovery$t"
done
echo "fault injection: $trials trials ($saves killed saves, $edits killed edits), $lost lost weeks"
[ "$lost" -eq 0 ]
