#!/usr/bin/env bash
# Static i686 builds of libzip, libpng (from Debian's source packages, against Debian's
# mingw zlib) and GoogleTest (from /usr/src/googletest). Cached outside the build tree;
# rebuilt only when a version or this script changes. Prints the prefix on stdout.
# Usage: build-deps.sh [i686|x86_64]   (default i686, the release architecture)
set -euo pipefail
export LC_ALL=C
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
CACHE="${VELD_DEPS_CACHE:-/var/cache/veld-deps}"
ARCH="${1:-i686}"
TRIPLE="$ARCH-w64-mingw32"

ver() { dpkg-query -W -f='${source:Version}' "$1" 2>/dev/null || echo none; }
key="libzip=$(ver libzip-dev) libpng=$(ver libpng-dev) gtest=$(ver googletest) zlib=$(ver libz-mingw-w64-dev) \
gcc=$($TRIPLE-g++-posix -dumpversion) script=$(sha1sum "$0" "$ROOT/cmake/mingw-$ARCH.cmake" "$ROOT/cmake/mingw-common.cmake" | sha1sum | cut -c1-12)"
hash="$(echo "$key" | sha1sum | cut -c1-16)"
PREFIX="$CACHE/$ARCH-$hash"

if [ -f "$PREFIX/.complete" ]; then
  echo "$PREFIX"
  exit 0
fi

echo "deps: building static $ARCH libzip, libpng, googletest into $PREFIX" >&2
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
log="$CACHE/build-$ARCH-$hash.log"
mkdir -p "$CACHE"
exec 3>&1 >"$log" 2>&1
trap 'rc=$?; [ $rc -ne 0 ] && { echo "deps: failed, log follows" >&2; tail -40 "$log" >&2; }; rm -rf "$work"' EXIT
rm -rf "$PREFIX"
mkdir -p "$PREFIX"

common=(-G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/mingw-$ARCH.cmake"
        -DCMAKE_INSTALL_PREFIX="$PREFIX" -DVELD_DEPS_PREFIX="$PREFIX"
        -DZLIB_LIBRARY=/usr/$TRIPLE/lib/libz.a -DZLIB_INCLUDE_DIR=/usr/$TRIPLE/include)

fetch() { # $1 source package, $2 binary package whose source version to take
  local v; v="$(dpkg-query -W -f='${source:Version}' "$2" 2>/dev/null || true)"
  (cd "$work" && { apt-get source -q --download-only "$1${v:+=$v}" >/dev/null 2>&1 \
                   || apt-get source -q --download-only "$1" >/dev/null; } \
   && dpkg-source -x --no-check ./"$1"_*.dsc "src-$1" >/dev/null)
  echo "$work/src-$1"
}

src="$(fetch libzip libzip-dev)"
cmake -S "$src" -B "$work/b-zip" "${common[@]}" -DBUILD_SHARED_LIBS=OFF -DENABLE_BZIP2=OFF -DENABLE_LZMA=OFF \
  -DENABLE_ZSTD=OFF -DENABLE_COMMONCRYPTO=OFF -DENABLE_GNUTLS=OFF -DENABLE_MBEDTLS=OFF -DENABLE_OPENSSL=OFF \
  -DENABLE_WINDOWS_CRYPTO=OFF -DBUILD_TOOLS=OFF -DBUILD_REGRESS=OFF -DBUILD_EXAMPLES=OFF -DBUILD_DOC=OFF >/dev/null
cmake --build "$work/b-zip" --target install >/dev/null

src="$(fetch libpng1.6 libpng-dev)"
cmake -S "$src" -B "$work/b-png" "${common[@]}" -DPNG_SHARED=OFF -DPNG_STATIC=ON -DPNG_TESTS=OFF \
  -DPNG_EXECUTABLES=OFF >/dev/null
cmake --build "$work/b-png" --target install >/dev/null

cmake -S /usr/src/googletest -B "$work/b-gtest" "${common[@]}" -DBUILD_GMOCK=ON -Dgtest_disable_pthreads=OFF >/dev/null
cmake --build "$work/b-gtest" --target install >/dev/null

touch "$PREFIX/.complete"
echo "$PREFIX" >&3
