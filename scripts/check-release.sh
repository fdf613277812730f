#!/usr/bin/env bash
# Static checks of the 32-bit release in dist/: what a Windows user receives, whatever this
# machine's kernel can run. Prints one line per check and "release: N passed, N failed".
set -uo pipefail
export LC_ALL=C
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
DIST="${VELD_DIST:-$ROOT/dist}"
pass=0 fail=0
check() { # <description> <command...>
  local what="$1"; shift
  if "$@" >/dev/null 2>&1; then pass=$((pass + 1)); echo "  ok   $what"
  else fail=$((fail + 1)); echo "  FAIL $what"; fi
}
imports() { i686-w64-mingw32-objdump -p "$1" | sed -n 's/^\s*DLL Name: //p'; }
no_runtime_dll() { ! imports "$1" | grep -qiE '^(libgcc|libstdc|libwinpthread|zlib1|libzip|libpng)'; }
version_is() { strings -el "$1" | grep -qx "$2"; }

for exe in TailVeld VeldViewer VeldInstaller; do
  f="$DIST/$exe.exe"
  check "$exe.exe is a 32-bit GUI program" bash -c "file '$f' | grep -q 'PE32 executable (GUI) Intel 80386'"
  check "$exe.exe needs no mingw runtime DLL" no_runtime_dll "$f"
done
check "TailVeld.exe version 1.0.0.9" version_is "$DIST/TailVeld.exe" 1.0.0.9
check "VeldViewer.exe version 1.0.0.7" version_is "$DIST/VeldViewer.exe" 1.0.0.7
check "VeldInstaller.exe version 1.0.0.18" version_is "$DIST/VeldInstaller.exe" 1.0.0.18
dll="$DIST/SyntaxHilighting.dll"
check "SyntaxHilighting.dll is a 32-bit DLL" bash -c "file '$dll' | grep -q 'PE32 executable (DLL).*Intel 80386'"
check "SyntaxHilighting.dll exports SyntaxHighlight undecorated" \
  bash -c "i686-w64-mingw32-objdump -p '$dll' | grep -qE '^\s*\[\s*[0-9]+\] SyntaxHighlight$'"
check "SyntaxHilighting.dll needs no mingw runtime DLL" no_runtime_dll "$dll"
echo "release: $pass passed, $fail failed"
[ "$fail" -eq 0 ]
