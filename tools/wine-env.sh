# Shared by the scripts that run Windows programs: the private prefix, the
# virtual display and the persistent wineserver. Source it, then call the
# suite_* functions with the build folder.

# The architecture a build folder was configured for (x86 or x64), as
# CMake recorded it there.
suite_build_arch() {
  local build_dir=$1
  cat "$build_dir/suite-arch.txt" 2>/dev/null || echo x86
}

# True when this host can execute the given architecture's Windows
# programs. Some kernels run no 32-bit program at all, whatever is
# installed; SUITE_X64_ONLY=1 takes that path on any host.
suite_host_runs() {
  case $1 in
    x64) [ -x /usr/lib/wine/wine64 ] ;;
    x86) [ -z "${SUITE_X64_ONLY:-}" ] && [ -x /usr/lib/wine/wine ] &&
         /lib/ld-linux.so.2 --version >/dev/null 2>&1 ;;
    *) return 1 ;;
  esac
}

# Why an architecture cannot run here, in one line.
suite_cannot_run_reason() {
  case $1 in
    x86) if [ -n "${SUITE_X64_ONLY:-}" ]; then echo "SUITE_X64_ONLY is set: 32-bit programs are not run"
         elif [ ! -x /usr/lib/wine/wine ]; then echo "32-bit Wine (/usr/lib/wine/wine) is not installed"
         else echo "this kernel does not run 32-bit programs"; fi ;;
    *) echo "64-bit Wine (/usr/lib/wine/wine64) is not installed" ;;
  esac
}

# Sets the prefix and the loader for a build folder. Debian's wine,
# wineboot and regsvr32 launchers pick the 32-bit loader whenever it is
# installed, even where the kernel cannot run it, so the loader is chosen
# here and every Wine program is started through `suite_wine`.
suite_wine_env() {
  local build_dir=$1
  SUITE_ARCH=$(suite_build_arch "$build_dir")
  export SUITE_ARCH
  export WINEPREFIX=${SUITE_WINEPREFIX:-$build_dir/wineprefix}
  if [ "$SUITE_ARCH" = x64 ]; then
    export WINEARCH=win64 WINELOADER=/usr/lib/wine/wine64
  else
    export WINEARCH=win32 WINELOADER=/usr/lib/wine/wine
  fi
  export WINEDEBUG=${WINEDEBUG:--all}
  # No desktop menus, no .NET or browser engine install prompts.
  export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-winemenubuilder.exe=d;mscoree=d;mshtml=d}
}

# Runs a Windows program (or a built-in one: wineboot, regedit, winepath,
# regsvr32, cscript) with the loader of the current architecture.
suite_wine() {
  "$WINELOADER" "$@"
}

# Stops with a clear message when Wine cannot start here at all.
suite_require_runnable() {
  if ! suite_host_runs "$SUITE_ARCH"; then
    echo "wine-run: cannot run $SUITE_ARCH programs: $(suite_cannot_run_reason "$SUITE_ARCH")" >&2
    [ "$SUITE_ARCH" = x86 ] && echo "wine-run: use the x64 build (build/x64) on this host" >&2
    return 1
  fi
}

# Uses $DISPLAY when set; otherwise one Xvfb per build folder, started by
# the first program that needs it and shared by every later one.
suite_ensure_display() {
  local build_dir=$1
  [ -n "${DISPLAY:-}" ] && return 0
  local state=$build_dir/.xvfb-display
  mkdir -p "$build_dir"
  exec 8>"$build_dir/.xvfb.lock"
  flock 8
  if [ -f "$state" ] && xdpyinfo -display "$(cat "$state")" >/dev/null 2>&1; then
    export DISPLAY=$(cat "$state")
  else
    local n
    for n in $(seq 90 140); do
      [ -e "/tmp/.X$n-lock" ] && continue
      setsid Xvfb ":$n" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 < /dev/null &
      echo $! > "$build_dir/.xvfb-pid"
      local i
      for i in $(seq 1 50); do
        xdpyinfo -display ":$n" >/dev/null 2>&1 && break
        sleep 0.1
      done
      if xdpyinfo -display ":$n" >/dev/null 2>&1; then
        echo ":$n" > "$state"
        export DISPLAY=":$n"
        break
      fi
    done
  fi
  flock -u 8
  exec 8>&-
  [ -n "${DISPLAY:-}" ] || { echo "wine-run: could not start Xvfb" >&2; return 1; }
}

# Makes the private prefix once, configured for unattended runs, and keeps
# one wineserver alive for the whole run.
suite_ensure_prefix() {
  local build_dir=$1
  exec 9>"$build_dir/.wineprefix.lock"
  flock 9
  if [ ! -f "$WINEPREFIX/.suite-ready" ]; then
    rm -rf "$WINEPREFIX"
    if ! suite_wine wineboot -i >/dev/null 2>&1; then
      echo "wine-run: Wine could not make the $SUITE_ARCH prefix $WINEPREFIX" \
           "(try: WINEPREFIX=$WINEPREFIX $WINELOADER wineboot -i)" >&2
      flock -u 9; exec 9>&-
      return 1
    fi
    local reg
    reg=$(mktemp --suffix=.reg)
    cat > "$reg" <<'REG'
REGEDIT4

[HKEY_CURRENT_USER\Software\Wine\X11 Driver]
"Managed"="N"

[HKEY_CURRENT_USER\Software\Wine\Drivers]
"Audio"=""

[HKEY_CURRENT_USER\Software\Wine\WineDbg]
"ShowCrashDialog"=dword:00000000

[HKEY_CURRENT_USER\Software\Wine\Direct3D]
"renderer"="gdi"
REG
    suite_wine regedit /S "$(suite_wine winepath -w "$reg" 2>/dev/null)" >/dev/null 2>&1
    rm -f "$reg"
    wineserver -w
    touch "$WINEPREFIX/.suite-ready"
  fi
  # Wine's own fonts (the UI font, the caption-button symbols, the fonts
  # forms name) are not found in the data folder of this build of Wine;
  # the prefix's font folder always works.
  local fonts=$WINEPREFIX/drive_c/windows/Fonts
  if [ -d /usr/share/wine/fonts ] && [ ! -f "$fonts/marlett.ttf" ]; then
    mkdir -p "$fonts"
    cp -n /usr/share/wine/fonts/*.ttf "$fonts/" 2>/dev/null || true
  fi
  # Already running for this prefix: this returns at once.
  wineserver -p >/dev/null 2>&1 || true
  flock -u 9
  exec 9>&-
}

# Stops what suite_ensure_display and suite_ensure_prefix started.
suite_stop() {
  local build_dir=$1
  suite_wine_env "$build_dir"
  wineserver -k >/dev/null 2>&1 || true
  if [ -f "$build_dir/.xvfb-pid" ]; then
    kill "$(cat "$build_dir/.xvfb-pid")" 2>/dev/null || true
    rm -f "$build_dir/.xvfb-pid" "$build_dir/.xvfb-display"
  fi
}
