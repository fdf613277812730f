#!/usr/bin/env bash
# The main job: build everything, then play the IDE: build the package of the example module with
# the real TailVeld.exe under Wine (a stand-in PureBasic home, its preference file and the tool
# variables), print the package's topic list, and let TailVeld open it in the real VeldViewer.exe
# - on your display when there is one, otherwise in a virtual display with a screenshot.
# Results land in out/: example.veld and, without a display of yours, viewer.png.
set -euo pipefail
export LC_ALL=C
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$ROOT"

"$ROOT/scripts/build.sh" >/dev/null

source "$ROOT/scripts/wine-env.sh"
veld_wine_detect
if [ "$VELD_WINE_BUILD" = win64 ]; then
  # This kernel cannot start 32-bit code: run the 64-bit twin of the same sources.
  veld_build_wine_twin TailVeld VeldViewer veld_standin_ide >/dev/null
  PROGRAMS="$ROOT/build/win64"
else
  PROGRAMS="$ROOT/build/win32"
fi
TAILVELD="$PROGRAMS/builder/TailVeld.exe"
VIEWER="$PROGRAMS/viewer/win32/VeldViewer.exe"
STANDIN_IDE="$PROGRAMS/builder/e2e/standin/ide/PureBasic.exe"

VELD_USE_DISPLAY=1 VELD_WINEPREFIX="$ROOT/build/wineprefix-demo" veld_wine_up 2>/dev/null
trap veld_wine_down EXIT

# The stand-in IDE installation, as the installer would leave it.
HOME_DIR="$WINEPREFIX/drive_c/PureBasic"
mkdir -p "$HOME_DIR/veld" "$WINEPREFIX/drive_c/Modules"
cp "$STANDIN_IDE" "$HOME_DIR/PureBasic.exe"
cp "$VIEWER" "$HOME_DIR/veld/VeldViewer.exe"
cp "$TAILVELD" "$HOME_DIR/veld/TailVeld.exe"
printf '\xEF\xBB\xBF\r\n[Global]\r\nVersion = 610\r\n' > "$HOME_DIR/PureBasic.prefs"
cp "$ROOT/installer/payload/example.pbi" "$WINEPREFIX/drive_c/Modules/example.pbi"

# What the IDE does on Ctrl+F12: start the tool on the source with its variables set.
PB_TOOL_IDE='C:\PureBasic\PureBasic.exe' PB_TOOL_Preferences='C:\PureBasic\PureBasic.prefs' PB_TOOL_Word='' \
  timeout 120 "$VELD_WINE" 'C:\PureBasic\veld\TailVeld.exe' 'C:\Modules\example.pbi'

mkdir -p "$ROOT/out"
cp "$WINEPREFIX/drive_c/Modules/example.veld" "$ROOT/out/example.veld"
echo "Built out/example.veld; its topics (level,kind,title):"
unzip -p "$ROOT/out/example.veld" index.txt | tr -d '\r'

# TailVeld started the viewer without waiting; find its window.
title="VeldViewer 1.0.0.7 >> example.veld"
for i in $(seq 1 300); do
  xdotool search --onlyvisible --name "$title" >/dev/null 2>&1 && break
  sleep 0.1
done
if [ -n "$VELD_XVFB_PID" ]; then
  sleep 3   # the tree and icons are filled after the window shows
  import -window root "$ROOT/out/viewer.png"
  echo "No display of yours: the viewer ran in a virtual display; screenshot in out/viewer.png"
else
  echo "The viewer is open on your display; close it to end."
  while xdotool search --name "$title" >/dev/null 2>&1; do sleep 1; done
fi
