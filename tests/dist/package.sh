#!/usr/bin/env bash
# Installs the build into a fresh prefix, then builds the Debian package with
# CPack. Both must hold exactly the expected files (nothing missing, nothing
# unexpected); the package also the run-time dependencies a plain Debian 12
# system needs to start the programs, and no error by Debian's own checker.
set -euo pipefail
build="$1"; expected="$2"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
grep -v '^#' "$expected" | sort >"$work/want"
same() { diff -u "$work/want" - || { echo "FAILED: $1 differ (- missing, + unexpected)"; exit 1; }; }

cmake --install "$build" --prefix "$work/prefix" >/dev/null
(cd "$work/prefix" && find . -type f -o -type l | sed 's|^\./||' | sort) | same "installed files"
for exe in varnock kestrin varnock-cli; do
  [[ -x "$work/prefix/bin/$exe" ]] || { echo "FAILED: bin/$exe is not executable"; exit 1; }
done
for png in $(grep '\.png$' "$work/want"); do
  size="${png#share/icons/hicolor/}"; size="${size%%x*}"
  got="$(identify -format '%wx%h' "$work/prefix/$png" 2>/dev/null || echo unreadable)"
  [[ "$got" == "${size}x${size}" ]] || { echo "FAILED: $png is $got"; exit 1; }
done

cpack -G DEB --config "$build/CPackConfig.cmake" -B "$work/deb" >"$work/cpack.log" 2>&1 || { cat "$work/cpack.log"; exit 1; }
debs=("$work"/deb/*.deb)
[[ ${#debs[@]} -eq 1 && -f "${debs[0]}" ]] || { echo "FAILED: not one .deb"; ls -l "$work/deb"; exit 1; }
dpkg-deb -c "${debs[0]}" | awk '$1 !~ /^d/ {print $NF}' | sed 's|^\./usr/||' | sort | same "package contents"
[[ "$(dpkg-deb -f "${debs[0]}" Package)" == varnock ]] || { echo "FAILED: package name"; exit 1; }
depends="$(dpkg-deb -f "${debs[0]}" Depends)"
for pkg in libqt6core6 libqt6gui6 libqt6widgets6 qt6-qpa-plugins; do
  grep -Eq "(^|, )$pkg( |,|$)" <<<"$depends" || { echo "FAILED: Depends lacks $pkg: $depends"; exit 1; }
done
dupes="$(tr ',' '\n' <<<"$depends" | awk '{print $1}' | sort | uniq -d)"
[[ -z "$dupes" ]] || { echo "FAILED: Depends names more than once: $dupes"; exit 1; }
# Unstripped binaries, a missing copyright file or changelog and uncompressed
# manual pages are among lintian's errors.
lintian --allow-root --fail-on error "${debs[0]}" || { echo "FAILED: lintian reports errors"; exit 1; }
