#!/usr/bin/env bash
# Builds the libFuzzer programs (clang, AddressSanitizer, UndefinedBehaviorSanitizer) in
# build-fuzz/ and runs each for SECONDS (default 60) from its seeds in fuzz/corpus/. The
# fast reader-only targets staff_read and week_read start from the seeds of staff_file and
# week_file, their end-to-end counterparts.
# New inputs collect in build-fuzz/corpus/; a failing input is written to build-fuzz/crashes/
# and belongs in fuzz/regressions/<target>/ once mended. Fails when any fuzzer fails.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
scripts/install-deps.sh
missing=()
for p in clang-14 libclang-rt-14-dev; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  sudo=""
  [ "$(id -u)" -ne 0 ] && sudo="sudo"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
cc=$(command -v clang || command -v clang-14)
cxx=$(command -v clang++ || command -v clang++-14)

dir=build-fuzz
CC=$cc CXX=$cxx cmake -S . -B "$dir" -DTAVROLA_FUZZ=ON -DTAVROLA_BUILD_TESTS=OFF \
  -DTAVROLA_BUILD_BENCH=OFF -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$dir" --target fuzz_targets -j"$(nproc)"

mkdir -p "$dir/crashes" "$dir/logs"
summary=()
failed=0
for target in duty_text staff_read:staff_file staff_file week_read:week_file week_file rich_text \
              date_text rules_file; do
  name=${target%%:*}
  seeds=fuzz/corpus/${target#*:}
  mkdir -p "$dir/corpus/$name"
  log="$dir/logs/$name.log"
  echo "== fuzz_$name for ${seconds}s"
  status=ok
  if ! QT_QPA_PLATFORM=offscreen LC_ALL=C.UTF-8 "$dir/bin/fuzz_$name" -max_total_time="$seconds" \
       -timeout=30 -print_final_stats=1 -artifact_prefix="$dir/crashes/$name-" \
       "$dir/corpus/$name" "$seeds" >"$log" 2>&1; then
    status=FAILED
    failed=1
    tail -n 40 "$log"
  fi
  # The last status line holds the runs, coverage and features reached.
  last=$(grep -E '^#[0-9]+' "$log" | tail -n 1 || true)
  runs=$(grep -E '^stat::number_of_executed_units' "$log" | awk '{print $2}' || true)
  speed=$(grep -E '^stat::average_exec_per_sec' "$log" | awk '{print $2}' || true)
  cov=$(sed -nE 's/.*cov: ([0-9]+).*/\1/p' <<<"$last")
  ft=$(sed -nE 's/.*ft: ([0-9]+).*/\1/p' <<<"$last")
  corp=$(sed -nE 's/.*corp: ([0-9]+).*/\1/p' <<<"$last")
  summary+=("$(printf '%-12s %-6s runs %-10s exec/s %-7s cov %-6s ft %-6s corpus %s' \
    "$name" "$status" "${runs:-?}" "${speed:-?}" "${cov:-?}" "${ft:-?}" "${corp:-?}")")
done
echo
printf '%s\n' "${summary[@]}"
exit "$failed"
