#!/usr/bin/env bash
# Installs what building, running and testing Varnock need, from Debian's
# packages. Only what is missing is installed; sudo is used only when not root.
set -euo pipefail

packages=(cmake ninja-build g++ qt6-base-dev qt6-base-dev-tools libgl-dev
          libgtest-dev libbenchmark-dev xvfb xauth xdotool xclip x11-utils openbox locales
          desktop-file-utils appstream imagemagick python3 dpkg-dev lintian)
if [[ "${1:-}" == "--fuzz" ]]; then
  packages+=(clang libclang-rt-14-dev)
fi

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done
SUDO=""
if [[ $(id -u) -ne 0 ]]; then SUDO="sudo"; fi
if [[ ${#missing[@]} -ne 0 ]]; then
  echo "Installing: ${missing[*]}"
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

# One end-to-end journey runs in a German locale, where "," is the decimal
# separator.
if ! locale -a 2>/dev/null | grep -qix 'de_DE.utf8'; then
  $SUDO sed -i 's/^# *\(de_DE.UTF-8 UTF-8\)/\1/' /etc/locale.gen
  grep -qx 'de_DE.UTF-8 UTF-8' /etc/locale.gen || echo 'de_DE.UTF-8 UTF-8' | $SUDO tee -a /etc/locale.gen >/dev/null
  $SUDO locale-gen
fi
