# Sourced by the test scripts: a Wine prefix and a virtual X display for one test run.
#   veld_wine_up    make a fresh prefix (crash dialog off, fonts in place), start Xvfb and wineserver
#   veld_wine_down  end every Wine process of the prefix and the X server
# Exports WINEPREFIX, WINEARCH, WINEDEBUG, DISPLAY, VELD_WINE (the loader to run programs with)
# and VELD_WINE_BUILD: "win32" where this kernel runs 32-bit code (the release itself is tested),
# else "win64" (the 64-bit build of the same sources is tested under 64-bit Wine).

VELD_ROOT="${VELD_ROOT:-$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)}"

veld_wine_detect() {
  if /usr/lib/wine/wine --version >/dev/null 2>&1; then
    export VELD_WINE=/usr/lib/wine/wine WINEARCH=win32 VELD_WINE_BUILD=win32
  else
    export VELD_WINE=/usr/lib/wine/wine64 WINEARCH=win64 VELD_WINE_BUILD=win64
  fi
}

veld_wine_up() {
  # UTF-8 so that Wine can keep non-ASCII file names on the Unix side.
  export LC_ALL=C.UTF-8
  export WINEDEBUG=-all
  export WINEDLLOVERRIDES="mscoree,mshtml="   # no Mono/Gecko install prompts
  veld_wine_detect
  export WINEPREFIX="${VELD_WINEPREFIX:-$VELD_ROOT/build/wineprefix-$VELD_WINE_BUILD}"

  # Virtual display: pick a free number, start Xvfb, wait until it answers. With
  # VELD_USE_DISPLAY=1 a display that already answers (the user's own) is used instead.
  local n=90 i
  VELD_XVFB_PID=""
  if [ "${VELD_USE_DISPLAY:-0}" = 1 ] && [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
    n=""
  fi
  [ -z "$n" ] || while [ -e "/tmp/.X${n}-lock" ] || [ -e "/tmp/.X11-unix/X${n}" ]; do n=$((n + 1)); done
  if [ -n "$n" ]; then
    Xvfb ":$n" -screen 0 1280x800x24 -nolisten tcp >/dev/null 2>&1 &
    VELD_XVFB_PID=$!
    export DISPLAY=":$n"
    for i in $(seq 1 100); do
      xdpyinfo >/dev/null 2>&1 && break
      sleep 0.1
    done
  fi

  rm -rf "$WINEPREFIX"
  mkdir -p "$(dirname "$WINEPREFIX")"
  "$VELD_WINE" wineboot -i >/dev/null 2>&1
  "$VELD_WINE" reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null 2>&1
  # Xvfb has no window manager: let Wine draw frames and captions itself (also avoids waits on close).
  [ -z "$VELD_XVFB_PID" ] || "$VELD_WINE" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
  cp /usr/share/wine/fonts/tahoma.ttf /usr/share/wine/fonts/tahomabd.ttf /usr/share/wine/fonts/marlett.ttf \
     "$WINEPREFIX/drive_c/windows/Fonts/" 2>/dev/null || true
  # One wineserver for the whole run, so each program starts warm.
  /usr/lib/wine/wineserver -p >/dev/null 2>&1 || true
  echo "wine: $VELD_WINE_BUILD build, prefix $WINEPREFIX, display $DISPLAY" >&2
}

veld_wine_down() {
  [ -n "${WINEPREFIX:-}" ] && { /usr/lib/wine/wineserver -k >/dev/null 2>&1 || true; }
  if [ -n "${VELD_XVFB_PID:-}" ]; then
    kill "$VELD_XVFB_PID" 2>/dev/null || true
    wait "$VELD_XVFB_PID" 2>/dev/null || true
    VELD_XVFB_PID=""
  fi
}
