#!/usr/bin/env bash
# Installs what the build and the tests need on a Debian 12 machine.
# Idempotent: when everything is present it changes nothing and says so.
set -euo pipefail

i386_packages=(
  wine32:i386 libxrandr2:i386 libxfixes3:i386 libxrender1:i386 libxi6:i386
  libxcursor1:i386 libxcomposite1:i386 libxinerama1:i386 libxxf86vm1:i386
  libgl1:i386 libgl1-mesa-dri:i386 libodbc2:i386 libsqliteodbc:i386 odbc-postgresql:i386
)
# The 64-bit half: the x64 compilers, and what 64-bit Wine and 64-bit
# programs' ODBC use on the host; the PostgreSQL server the data-access
# tests start for themselves. (Wine's odbc32 hands every call to the
# host's driver manager of the same architecture, so each architecture
# needs its own driver manager and drivers.)
host_packages=(
  wine wine64 g++-mingw-w64-i686 g++-mingw-w64-x86-64 mingw-w64-tools
  xvfb xauth x11-utils cmake ninja-build fonts-wine unixodbc odbcinst
  googletest imagemagick x11-apps xdotool python3
  libxrandr2 libxfixes3 libxrender1 libxi6 libxcursor1 libxcomposite1
  libxinerama1 libxxf86vm1 libgl1 libgl1-mesa-dri libodbc2 libsqliteodbc
  odbc-postgresql postgresql
)

missing=()
for p in "${host_packages[@]}" "${i386_packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done

# Whether this kernel runs 32-bit programs decides which tests can run.
report_host() {
  if [ ! -x /usr/lib/wine/wine ]; then
    echo "setup: 32-bit Wine is not installed: only the x64 tests can run here"
  elif /lib/ld-linux.so.2 --version >/dev/null 2>&1; then
    echo "setup: this host runs 32-bit and 64-bit programs (x86 and x64 tests)"
  else
    echo "setup: this kernel does not run 32-bit programs: only the x64 tests can run here"
  fi
}

if [ ${#missing[@]} -eq 0 ]; then
  echo "setup: everything is installed"
  report_host
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
# A mirror caught mid-sync fails one index now and then: try again, and
# if it still fails install from the lists that were read (the install
# itself fails loudly when a package cannot be found).
for attempt in 1 2 3; do
  if apt-get update -qq; then break; fi
  if [ "$attempt" -eq 3 ]; then
    echo "setup: some package lists could not be read; installing from those that were" >&2
  else
    echo "setup: apt-get update failed (attempt $attempt of 3); trying again" >&2
    sleep 15
  fi
done
# The 64-bit half must install; the 32-bit half may not (a mirror whose
# i386 lists lag behind the 64-bit ones cannot pair their versions). Then
# the x86 build still works and test.sh says why its tests were not run.
host_missing=() i386_missing=()
for p in "${missing[@]}"; do
  case $p in *:i386) i386_missing+=("$p") ;; *) host_missing+=("$p") ;; esac
done
if [ ${#host_missing[@]} -gt 0 ]; then
  apt-get install -y -qq --no-install-recommends "${host_missing[@]}" >/dev/null
fi
if [ ${#i386_missing[@]} -gt 0 ] &&
   ! apt-get install -y -qq --no-install-recommends "${i386_missing[@]}" >/dev/null; then
  echo "setup: the 32-bit packages could not be installed: the x86 tests will be built but not run" >&2
fi
echo "setup: done"
report_host
