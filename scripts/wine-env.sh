# Sourced by the test scripts: a 32-bit Wine prefix and a virtual X display for one test run.
#   veld_wine_up    make a fresh prefix (crash dialog off, fonts in place), start Xvfb and wineserver
#   veld_wine_down  end every Wine process of the prefix and the X server
# Exports WINEPREFIX, WINEARCH, WINEDEBUG and DISPLAY.

VELD_ROOT="${VELD_ROOT:-$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)}"

veld_wine_up() {
  export LC_ALL=C
  export WINEARCH=win32
  export WINEDEBUG=-all
  export WINEDLLOVERRIDES="mscoree,mshtml="   # no Mono/Gecko install prompts
  export WINEPREFIX="${VELD_WINEPREFIX:-$VELD_ROOT/build/wineprefix}"

  # Virtual display: pick a free number, start Xvfb, wait until it answers.
  local n=90
  while [ -e "/tmp/.X${n}-lock" ] || [ -e "/tmp/.X11-unix/X${n}" ]; do n=$((n + 1)); done
  Xvfb ":$n" -screen 0 1280x800x24 -nolisten tcp >/dev/null 2>&1 &
  VELD_XVFB_PID=$!
  export DISPLAY=":$n"
  local i
  for i in $(seq 1 100); do
    xdpyinfo >/dev/null 2>&1 && break
    sleep 0.1
  done

  rm -rf "$WINEPREFIX"
  mkdir -p "$(dirname "$WINEPREFIX")"
  wineboot -i >/dev/null 2>&1
  wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null 2>&1
  cp /usr/share/wine/fonts/tahoma.ttf /usr/share/wine/fonts/tahomabd.ttf /usr/share/wine/fonts/marlett.ttf \
     "$WINEPREFIX/drive_c/windows/Fonts/" 2>/dev/null || true
  # Keep one wineserver alive for the whole run so each program starts warm.
  wineserver -p >/dev/null 2>&1 || true
  echo "wine: prefix $WINEPREFIX on display $DISPLAY" >&2
}

veld_wine_down() {
  [ -n "${WINEPREFIX:-}" ] && { wineserver -k >/dev/null 2>&1 || true; }
  if [ -n "${VELD_XVFB_PID:-}" ]; then
    kill "$VELD_XVFB_PID" 2>/dev/null || true
    wait "$VELD_XVFB_PID" 2>/dev/null || true
    VELD_XVFB_PID=""
  fi
}
