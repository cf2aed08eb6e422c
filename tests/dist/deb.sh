#!/usr/bin/env bash
# Builds the Debian package with CPack and checks its file list and the
# run-time dependencies a plain Debian 12 system needs to start the programs.
set -euo pipefail
build="$1"; expected="$2"
out="$(mktemp -d)"
trap 'rm -rf "$out"' EXIT

cpack -G DEB --config "$build/CPackConfig.cmake" -B "$out" >"$out/cpack.log" 2>&1 \
  || { cat "$out/cpack.log"; exit 1; }
debs=("$out"/*.deb)
[[ ${#debs[@]} -eq 1 && -f "${debs[0]}" ]] || { echo "FAILED: no single .deb in $out"; ls -l "$out"; exit 1; }
deb="${debs[0]}"

dpkg-deb -c "$deb" | awk '$1 !~ /^d/ {print $NF}' | sed 's|^\./usr/||' | sort >"$out/got"
grep -v '^#' "$expected" | sort >"$out/want"
if ! diff -u "$out/want" "$out/got"; then
  echo "FAILED: package contents differ (- missing, + unexpected)"
  exit 1
fi

fail=0
[[ "$(dpkg-deb -f "$deb" Package)" == varnock ]] || { echo "FAILED: package name"; fail=1; }
depends="$(dpkg-deb -f "$deb" Depends)"
for pkg in libqt6core6 libqt6gui6 libqt6widgets6 qt6-qpa-plugins; do
  if ! grep -Eq "(^|, )$pkg( |,|$)" <<<"$depends"; then
    echo "FAILED: Depends lacks $pkg: $depends"; fail=1
  fi
done
dupes="$(tr ',' '\n' <<<"$depends" | awk '{print $1}' | sort | uniq -d)"
[[ -z "$dupes" ]] || { echo "FAILED: Depends names more than once: $dupes"; fail=1; }

# Debian's own checker: no errors (unstripped binaries, a missing copyright
# file or changelog, uncompressed manual pages are among them).
lintian --allow-root --fail-on error "$deb" || { echo "FAILED: lintian reports errors"; fail=1; }
exit $fail
