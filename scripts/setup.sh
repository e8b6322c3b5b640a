#!/usr/bin/env bash
# Installs everything the build and the tests need on Debian 12, from Debian
# packages only. Idempotent: quiet when everything is already present.
set -euo pipefail

packages=(
  cmake ninja-build g++ clang libclang-rt-14-dev clang-format
  googletest libgtest-dev libbenchmark-dev
  g++-mingw-w64-i686-posix
  wine wine32:i386 wine64 fonts-wine
  xvfb xauth imagemagick
  python3 python3-pefile icoutils zip
)

sudo_=()
[ "$(id -u)" -eq 0 ] || sudo_=(sudo)

if ! dpkg --print-foreign-architectures | grep -qx i386; then
  echo "setup: adding the i386 architecture (for wine32)"
  "${sudo_[@]}" dpkg --add-architecture i386
  need_update=1
fi

missing=()
for p in "${packages[@]}"; do
  # dpkg-query wants the bare name for native packages, name:arch otherwise.
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ] && [ -z "${need_update:-}" ]; then
  exit 0
fi

echo "setup: installing ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
"${sudo_[@]}" apt-get update -qq
"${sudo_[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
echo "setup: done"
