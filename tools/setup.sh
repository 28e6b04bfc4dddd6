#!/usr/bin/env bash
# Installs what the build and the tests need on a Debian 12 machine.
# Idempotent: when everything is present it changes nothing and says so.
set -euo pipefail

i386_packages=(
  wine32:i386 libxrandr2:i386 libxfixes3:i386 libxrender1:i386 libxi6:i386
  libxcursor1:i386 libxcomposite1:i386 libxinerama1:i386 libxxf86vm1:i386
  libgl1:i386 libgl1-mesa-dri:i386 libodbc2:i386 libsqliteodbc:i386
)
host_packages=(
  wine wine64 g++-mingw-w64-i686 mingw-w64-tools xvfb xauth x11-utils
  cmake ninja-build fonts-wine unixodbc odbcinst googletest imagemagick
  x11-apps xdotool python3
)

missing=()
for p in "${host_packages[@]}" "${i386_packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done

if [ ${#missing[@]} -eq 0 ]; then
  echo "setup: everything is installed"
  exit 0
fi

if [ "$(id -u)" -ne 0 ]; then
  echo "setup: missing packages: ${missing[*]}" >&2
  echo "setup: run this script as root (or install them) to continue" >&2
  exit 1
fi
if ! command -v apt-get >/dev/null; then
  echo "setup: no apt-get here; install by hand: ${missing[*]}" >&2
  exit 1
fi

echo "setup: installing ${missing[*]}"
if ! dpkg --print-foreign-architectures | grep -qx i386; then
  dpkg --add-architecture i386
fi
export DEBIAN_FRONTEND=noninteractive
apt-get update -qq
apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
echo "setup: done"
