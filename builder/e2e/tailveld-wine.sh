#!/usr/bin/env bash
# Builds a module's package with the real TailVeld.exe under Wine, started the way the IDE starts
# it: a stand-in PureBasic home (its PureBasic.exe and veld\VeldViewer.exe only record how they were
# started), a PureBasic.prefs, PB_TOOL_IDE and PB_TOOL_Preferences. Then prints the package's
# entries, its topic list and the viewer start. No PureBasic installation is needed.
#
# Usage: builder/e2e/tailveld-wine.sh <module.pbi> [<work folder>]
#   The module is copied into the work folder (default: a new temporary folder) and its package is
#   written beside the copy. The build folder is build/<win32|win64> (whichever this machine's Wine
#   runs), or VELD_BUILD_DIR.
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
[ $# -ge 1 ] || { sed -n '2,11p' "$0" | sed 's/^# \{0,1\}//' >&2; exit 2; }
module="$(cd "$(dirname "$1")" && pwd)/$(basename "$1")"
[ -f "$module" ] || { echo "tailveld-wine: no module $1" >&2; exit 2; }
work="${2:-$(mktemp -d)}"
mkdir -p "$work"
work="$(cd "$work" && pwd)"

source "$ROOT/scripts/wine-env.sh"
if [ -z "${WINEPREFIX:-}" ] || [ -z "${DISPLAY:-}" ] || [ -z "${VELD_WINE:-}" ]; then
  scratch="$(mktemp -d)"
  VELD_WINEPREFIX="$scratch/prefix"
  veld_wine_up 2>/dev/null
  trap 'veld_wine_down; rm -rf "$scratch"' EXIT
fi
build="${VELD_BUILD_DIR:-$ROOT/build/$VELD_WINE_BUILD}"
tool="$build/builder/TailVeld.exe"
[ -f "$tool" ] || { echo "tailveld-wine: $tool not built" >&2; exit 1; }

# Windows path of a path on this machine: drive Z: is "/".
win() { printf 'Z:%s' "${1//\//\\}"; }

home="$work/PB"
mkdir -p "$home/veld"
cp "$build/builder/e2e/standin/ide/PureBasic.exe" "$home/PureBasic.exe"
cp "$build/builder/e2e/standin/viewer/VeldViewer.exe" "$home/veld/VeldViewer.exe"
rm -f "$home/veld/VeldViewer.exe.txt"
printf '\xEF\xBB\xBF[Global]\r\nVersion = 521\r\n' > "$home/PureBasic.prefs"
name="$(basename "$module")"
cp "$module" "$work/$name"
package="$work/${name%.*}.veld"
rm -f "$package"

PB_TOOL_IDE="$(win "$home")\\PureBasic.exe" PB_TOOL_Preferences="$(win "$home")\\PureBasic.prefs" \
  timeout 300 "$VELD_WINE" "$tool" "$(win "$work/$name")" || { echo "tailveld-wine: TailVeld.exe failed ($?)" >&2; exit 1; }
[ -f "$package" ] || { echo "tailveld-wine: no package was written" >&2; exit 1; }

echo "package: $package"
unzip -l "$package" | sed '1,3d;$d' | sed '$d' | awk '{print "  entry: " $4 " (" $1 " bytes)"}'
echo "topics (index.txt):"
unzip -p "$package" index.txt | tr -d '\r' | sed 's/^/  /'
for i in $(seq 1 40); do [ -s "$home/veld/VeldViewer.exe.txt" ] && break; sleep 0.1; done
echo "viewer started as: $(tr -d '\r' < "$home/veld/VeldViewer.exe.txt" 2>/dev/null || echo '(not started)')"
