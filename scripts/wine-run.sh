#!/usr/bin/env bash
# Runs a Windows program under Wine: the emulator CTest uses for the cross builds.
# Inside scripts/test.sh the prefix and display are already up; alone, it brings up its own.
set -uo pipefail
if [ -z "${WINEPREFIX:-}" ] || [ -z "${DISPLAY:-}" ] || [ -z "${VELD_WINE:-}" ]; then
  source "$(dirname "${BASH_SOURCE[0]}")/wine-env.sh"
  VELD_WINEPREFIX="${VELD_WINEPREFIX:-$VELD_ROOT/build/wineprefix-single}"
  veld_wine_up
  trap veld_wine_down EXIT
fi
"$VELD_WINE" "$@"
rc=$?
exit $rc
