#!/usr/bin/env bash
# Builds Varnock and Kestrin and renders their windows to docs/*.png:
# varnock-main.png, varnock-genetic.png, varnock-about.png, kestrin-main.png.
# Runs on a private Xvfb display, so it works on a machine without a screen.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake --preset default >/dev/null
cmake --build --preset default --target varnock kestrin
python3 scripts/screenshots.py docs \
  --program varnock=build/default/shell/varnock \
  --program kestrin=build/default/substitute/kestrin
