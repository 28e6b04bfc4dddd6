# Shared by the scripts that run Windows programs: the private prefix, the
# virtual display and the persistent wineserver. Source it, then call the
# suite_* functions with the build folder.

suite_wine_env() {
  local build_dir=$1
  export WINEPREFIX=${SUITE_WINEPREFIX:-$build_dir/wineprefix}
  export WINEARCH=win32
  export WINEDEBUG=${WINEDEBUG:--all}
  # No desktop menus, no .NET or browser engine install prompts.
  export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-winemenubuilder.exe=d;mscoree=d;mshtml=d}
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
    wineboot -i >/dev/null 2>&1
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
    wine regedit /S "$(winepath -w "$reg" 2>/dev/null)" >/dev/null 2>&1
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
