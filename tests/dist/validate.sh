#!/usr/bin/env bash
# Validates the desktop entries and AppStream files, and checks that they
# agree with each other: a desktop entry named after the component id, an
# Exec line naming the installed program and an icon named like the entry.
set -euo pipefail
dist="$1"
fail=0
check() { if ! "$@"; then echo "FAILED: $*"; fail=1; fi; }

for app in Varnock Kestrin; do
  id="org.varnock.$app"
  exe="$(echo "$app" | tr 'A-Z' 'a-z')"
  desktop="$dist/$id.desktop"
  meta="$dist/$id.metainfo.xml"
  check desktop-file-validate "$desktop"
  check appstreamcli validate --no-net "$meta"
  check grep -qx "Exec=$exe" "$desktop"
  check grep -qx "Icon=$id" "$desktop"
  check grep -qx "Name=$app" "$desktop"
  check grep -q "<id>$id</id>" "$meta"
  check grep -q "<launchable type=\"desktop-id\">$id.desktop</launchable>" "$meta"
  check grep -q "<binary>$exe</binary>" "$meta"
done
exit $fail
