#!/usr/bin/env bash
# Installs the build into a fresh prefix and compares what arrived with the
# expected file list, both ways: nothing missing and nothing unexpected.
set -euo pipefail
build="$1"; expected="$2"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
prefix="$work/prefix"

cmake --install "$build" --prefix "$prefix" >/dev/null
grep -v '^#' "$expected" | sort >"$work/want"
(cd "$prefix" && find . -type f -o -type l | sed 's|^\./||' | sort) >"$work/got"
if ! diff -u "$work/want" "$work/got"; then
  echo "FAILED: installed files differ from $expected (- missing, + unexpected)"
  exit 1
fi
for exe in varnock kestrin varnock-cli; do
  [[ -x "$prefix/bin/$exe" ]] || { echo "FAILED: bin/$exe is not executable"; exit 1; }
done
for png in $(grep '\.png$' "$work/want"); do
  size="${png#share/icons/hicolor/}"; size="${size%%x*}"
  got="$(identify -format '%wx%h' "$prefix/$png" 2>/dev/null || echo unreadable)"
  [[ "$got" == "${size}x${size}" ]] || { echo "FAILED: $png is $got"; exit 1; }
done
