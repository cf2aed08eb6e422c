#!/usr/bin/env bash
# Builds Varnock and runs the whole test suite (end-to-end tests under Xvfb
# included). Usage: scripts/test.sh [preset]   (default: default)
set -euo pipefail
cd "$(dirname "$0")/.."
preset="${1:-default}"
scripts/install-deps.sh
cmake --preset "$preset" >/dev/null
cmake --build --preset "$preset"
# Window tests need an X display; the end-to-end tests start private ones of
# their own as well, so they never share windows or the clipboard.
xvfb-run -a -s "-screen 0 1280x1024x24" ctest --preset "$preset" --output-on-failure
