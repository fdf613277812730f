#!/usr/bin/env bash
# Builds everything: the native core with its tests, the 32-bit Windows release, and fills dist/.
set -euo pipefail
export LC_ALL=C
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$ROOT"

"$ROOT/scripts/setup.sh"
VELD_DEPS_PREFIX="$("$ROOT/scripts/build-deps.sh" i686)"
export VELD_DEPS_PREFIX

cmake --preset native >/dev/null
cmake --build --preset native
# The cross build runs native tools of this build (the headless builder makes the carried packages).
cmake --preset win32 -DVELD_NATIVE_DIR="$ROOT/build/native" >/dev/null
cmake --build --preset win32

rm -rf dist
cmake --install build/win32 --prefix "$ROOT/dist" >/dev/null
echo "build: dist/ holds: $(cd dist 2>/dev/null && ls | tr '\n' ' ')"
