#!/usr/bin/env bash
# Compares every tavrola-cli command's output on the demo ward with the kept outputs in
# tests/cli/golden (the same check CTest runs as cli.golden_check). With --update, writes
# them afresh from the built program: only for an intended change of output, and say so
# in the commit.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${BUILD_DIR:-build}
exec python3 tests/cli/golden_check.py "$build/bin/tavrola-cli" "$build/bin" "$@"
