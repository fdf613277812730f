#!/usr/bin/env bash
# Runs a Windows program under Wine: the emulator CTest uses for the cross builds.
# Inside scripts/test.sh the prefix and display are already up; alone, it brings up its own.
set -uo pipefail
if [ -z "${WINEPREFIX:-}" ] || [ -z "${DISPLAY:-}" ] || [ -z "${VELD_WINE:-}" ]; then
  source "$(dirname "${BASH_SOURCE[0]}")/wine-env.sh"
  scratch="$(mktemp -d)"
  VELD_WINEPREFIX="$scratch/prefix"
  veld_wine_up 2>/dev/null
  trap 'veld_wine_down; rm -rf "$scratch"' EXIT
fi
"$VELD_WINE" "$@"
rc=$?
exit $rc
