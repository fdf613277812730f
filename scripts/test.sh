#!/usr/bin/env bash
# Every test layer: native unit tests, the same under ASan+UBSan, the unit tests cross-built
# and run under Wine, the end-to-end tests of the real programs under Wine in Xvfb, and a
# short fuzz smoke run. Prints a count per layer and a total line.
set -uo pipefail
export LC_ALL=C
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$ROOT"

"$ROOT/scripts/build.sh" || { echo "test: build failed"; exit 1; }
cmake --preset native-asan >/dev/null && cmake --build --preset native-asan || { echo "test: asan build failed"; exit 1; }

# The Windows tests run on the release build where Wine can start 32-bit code, else on its
# 64-bit twin built from the same sources.
source "$ROOT/scripts/wine-env.sh"
veld_wine_detect
WINBUILD="build/$VELD_WINE_BUILD"
if [ "$VELD_WINE_BUILD" = win64 ]; then
  echo "test: this kernel cannot run 32-bit code; Windows tests run on the x86_64 build under 64-bit Wine"
  veld_build_wine_twin || { echo "test: win64 build failed"; exit 1; }
fi

echo "== release (static checks of dist/)"
if "$ROOT/scripts/check-release.sh" > "$ROOT/build/release-check.log" 2>&1; then rel=0; else rel=1; fi
cat "$ROOT/build/release-check.log"
RESULTS="$ROOT/build/test-results"
rm -rf "$RESULTS"
mkdir -p "$RESULTS"
total_pass=0
total_fail=0
status=0
total_pass=$(sed -n 's/^release: \([0-9]*\) passed.*/\1/p' "$ROOT/build/release-check.log")
total_fail=$(sed -n 's/^release: [0-9]* passed, \([0-9]*\) failed.*/\1/p' "$ROOT/build/release-check.log")
total_pass=${total_pass:-0}; total_fail=${total_fail:-1}
[ "$rel" -eq 0 ] || status=1

# Sums the GoogleTest XML reports of one layer: "<layer>: N passed, N failed".
count_layer() {
  local layer="$1" dir="$RESULTS/$1" tests=0 fails=0 t f x
  for x in "$dir"/*.xml; do
    [ -f "$x" ] || continue
    t=$(grep -m1 -o '<testsuites tests="[0-9]*"' "$x" | grep -o '[0-9]*')
    f=$(grep -m1 -o '<testsuites [^>]*failures="[0-9]*"' "$x" | grep -o 'failures="[0-9]*"' | grep -o '[0-9]*')
    tests=$((tests + ${t:-0})); fails=$((fails + ${f:-0}))
  done
  echo "== $layer: $((tests - fails)) passed, $fails failed (test cases)"
  total_pass=$((total_pass + tests - fails)); total_fail=$((total_fail + fails))
}

# run_layer <layer> <build dir> [ctest args...]
run_layer() {
  local layer="$1" dir="$2"; shift 2
  mkdir -p "$RESULTS/$layer"
  echo "== $layer"
  # GTEST_OUTPUT is read by every test program; under Wine the folder is named by drive Z:.
  local out="$RESULTS/$layer/"
  case "$layer" in wine-*) out="Z:$(echo "$out" | tr / '\\')" ;; esac
  if ! GTEST_OUTPUT="xml:$out" ctest --test-dir "$dir" --output-on-failure --timeout 600 "$@"; then
    status=1
    total_fail=$((total_fail + 1))
  fi
  count_layer "$layer"
}

run_layer native build/native -L unit
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 run_layer native-asan build/native-asan -L unit

veld_wine_up
trap veld_wine_down EXIT
run_layer wine-unit "$WINBUILD" -L unit
run_layer wine-e2e "$WINBUILD" -L e2e
veld_wine_down
trap - EXIT

# Short fuzz smoke run of every fuzz target (clang/libFuzzer).
if cmake --preset fuzz >/dev/null && cmake --build --preset fuzz >/dev/null; then
  for f in build/fuzz/*/fuzz_*; do
    [ -x "$f" ] || continue
    if "$f" -runs=20000 -max_total_time=20 >"$RESULTS/$(basename "$f").log" 2>&1; then
      echo "== fuzz smoke $(basename "$f"): ok"; total_pass=$((total_pass + 1))
    else
      echo "== fuzz smoke $(basename "$f"): FAILED"; tail -30 "$RESULTS/$(basename "$f").log"
      total_fail=$((total_fail + 1)); status=1
    fi
  done
else
  echo "== fuzz build failed"; status=1; total_fail=$((total_fail + 1))
fi

echo "total: $total_pass passed, $total_fail failed"
exit $status
