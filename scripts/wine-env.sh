# Sourced by the test scripts: a Wine prefix and a virtual X display for one test run.
#   veld_wine_up    make a fresh prefix (crash dialog off, fonts in place), start Xvfb and wineserver
#   veld_wine_down  end every Wine process of the prefix and the X server
#   veld_build_wine_twin  build the x86_64 twin where only 64-bit Wine runs
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

# Where Wine runs only 64-bit code, configures and builds the x86_64 twin of the release in
# build/win64 (the whole build, or the targets given). Does nothing where the release itself runs.
veld_build_wine_twin() {
  [ "${VELD_WINE_BUILD:-}" = win64 ] || return 0
  local prefix
  prefix="$("$VELD_ROOT/scripts/build-deps.sh" x86_64)" || return 1
  VELD_DEPS_PREFIX="$prefix" cmake --preset win64 -DVELD_NATIVE_DIR="$VELD_ROOT/build/native" >/dev/null || return 1
  if [ $# -gt 0 ]; then
    cmake --build --preset win64 --target "$@"
  else
    cmake --build --preset win64
  fi
}

# How many service managers run in this prefix.
veld_wine_service_managers() {
  local pid n=0
  for pid in $(pgrep -f 'system32.services\.exe'); do
    tr '\0' '\n' < "/proc/$pid/environ" 2>/dev/null | grep -qxF "WINEPREFIX=$WINEPREFIX" && n=$((n + 1))
  done
  echo "$n"
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
  # Creating a prefix can leave two service managers running; a program that then starts a service
  # (the web control starts RPCSS on its first navigation) waits forever on the wrong one. So end
  # everything of the creation and start the prefix again, under one wineserver for the whole run
  # (each program then starts warm).
  local attempt
  for attempt in 1 2 3; do
    /usr/lib/wine/wineserver -k >/dev/null 2>&1 || true
    /usr/lib/wine/wineserver -w >/dev/null 2>&1 || true
    /usr/lib/wine/wineserver -p >/dev/null 2>&1 || true
    "$VELD_WINE" wineboot >/dev/null 2>&1
    [ "$(veld_wine_service_managers)" = 1 ] && break
    echo "wine: $(veld_wine_service_managers) service managers after start $attempt; starting again" >&2
  done
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
