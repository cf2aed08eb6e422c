#!/usr/bin/env bash
# Builds Varnock and runs the whole test suite (end-to-end tests under Xvfb
# included). Usage: scripts/test.sh [preset]   (default: default)
set -euo pipefail
cd "$(dirname "$0")/.."
preset="${1:-default}"
scripts/install-deps.sh
cmake --preset "$preset" >/dev/null
cmake --build --preset "$preset"
ctest --preset "$preset" --output-on-failure
