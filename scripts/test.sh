#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test (add --sanitize for the
# AddressSanitizer and UndefinedBehaviorSanitizer build).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
dir=$(scripts/build.sh "$@" | tail -n 1)
cd "$dir"
ctest --output-on-failure -j"$(nproc)"
