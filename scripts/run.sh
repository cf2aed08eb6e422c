#!/usr/bin/env bash
# Builds and starts Varnock (or Kestrin with --kestrin).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake --preset default >/dev/null
if [[ "${1:-}" == "--kestrin" ]]; then
  shift
  cmake --build --preset default --target kestrin
  exec build/default/substitute/kestrin "$@"
fi
cmake --build --preset default --target varnock
exec build/default/shell/varnock "$@"
