#!/usr/bin/env bash
# Configures and builds Tavrola into build/ (or build-asan/ with --sanitize).
set -euo pipefail
cd "$(dirname "$0")/.."
dir=build
opts=()
if [ "${1:-}" = "--sanitize" ]; then
  dir=build-asan
  opts+=(-DTAVROLA_SANITIZE=ON -DTAVROLA_BUILD_BENCH=OFF)
fi
cmake -S . -B "$dir" "${opts[@]}" >&2
cmake --build "$dir" -j"$(nproc)" >&2
echo "$dir"
