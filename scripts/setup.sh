#!/usr/bin/env bash
# Brings a Debian 12 machine to a state where Veld builds and tests.
# Idempotent: when everything is present it only checks and returns in seconds.
set -euo pipefail
export LC_ALL=C DEBIAN_FRONTEND=noninteractive
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"

SUDO=""
[ "$(id -u)" -eq 0 ] || SUDO="sudo"

PACKAGES=(
  # native toolchain and libraries
  build-essential cmake ninja-build clang libclang-rt-14-dev pkg-config
  libzip-dev libpng-dev zlib1g-dev googletest libgtest-dev libgmock-dev libbenchmark-dev
  # cross toolchain and Windows zlib
  g++-mingw-w64-i686 gcc-mingw-w64-i686 mingw-w64-i686-dev libz-mingw-w64-dev binutils-mingw-w64-i686
  # 64-bit twin, for running the tests where the kernel cannot run 32-bit code
  g++-mingw-w64-x86-64 gcc-mingw-w64-x86-64 mingw-w64-x86-64-dev
  # running and looking at Windows programs
  wine wine32:i386 wine64 xvfb xauth xdotool imagemagick x11-utils fonts-wine file zip unzip
  # source packages for the static cross builds
  dpkg-dev
)

missing=()
need_i386=0
dpkg --print-foreign-architectures | grep -qx i386 || need_i386=1
for p in "${PACKAGES[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done

DEBSRC=/etc/apt/sources.list.d/veld-debsrc.sources
if [ "$need_i386" = 1 ] || [ ! -f "$DEBSRC" ] || [ "${#missing[@]}" -gt 0 ]; then
  echo "setup: installing ${#missing[@]} packages" >&2
  [ "$need_i386" = 1 ] && $SUDO dpkg --add-architecture i386
  if [ ! -f "$DEBSRC" ]; then
    # deb-src for the same mirror as the main source, so apt-get source finds libzip and libpng
    mirror="$( { sed -n 's/^URIs:[[:space:]]*//p' /etc/apt/sources.list.d/*.sources 2>/dev/null
                 sed -n 's/^deb[[:space:]]\+\(\[[^]]*\][[:space:]]\+\)\?\([^[:space:]]*\).*/\2/p' /etc/apt/sources.list 2>/dev/null
               } | tr ' ' '\n' | grep -E '^https?://.*/debian/?$' | head -n1 || true)"
    [ -n "$mirror" ] || mirror="http://deb.debian.org/debian"
    $SUDO tee "$DEBSRC" >/dev/null <<SRC
Types: deb-src
URIs: $mirror
Suites: bookworm
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg
SRC
  fi
  $SUDO apt-get update -q >/dev/null
  $SUDO apt-get install -y -q --no-install-recommends "${PACKAGES[@]}" >/dev/null
fi

# Static i686 libzip, libpng and GoogleTest, cached outside the build tree.
"$ROOT/scripts/build-deps.sh" i686 >/dev/null
"$ROOT/scripts/build-deps.sh" x86_64 >/dev/null
