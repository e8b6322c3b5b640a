#!/usr/bin/env bash
# Installs everything the build and the tests need on Debian 12, from Debian
# packages only. Idempotent: quiet when everything is already present.
set -euo pipefail

packages=(
  cmake ninja-build g++ clang libclang-rt-14-dev clang-format
  googletest libgtest-dev libbenchmark-dev
  g++-mingw-w64-i686-posix
  wine wine32:i386 wine64 fonts-wine
  xvfb xauth x11-utils imagemagick
  python3 python3-pefile icoutils zip
  qemu-user-static
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

if [ ${#missing[@]} -gt 0 ] || [ -n "${need_update:-}" ]; then
  echo "setup: installing ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  "${sudo_[@]}" apt-get update -qq
  "${sudo_[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
  echo "setup: packages installed"
fi

# Wine's 32-bit loader is an i386 Linux program. Some kernels (this project's VMs
# among them) refuse 32-bit processes ("Exec format error"); qemu-user then runs
# them, registered through binfmt_misc. Wine under qemu needs QEMU_RESERVED_VA,
# which the build's wine-run wrapper sets.
if ! /lib/ld-linux.so.2 --version >/dev/null 2>&1; then
  binfmt=/proc/sys/fs/binfmt_misc
  if [ ! -e "$binfmt/register" ]; then
    echo "setup: mounting binfmt_misc"
    "${sudo_[@]}" mount -t binfmt_misc binfmt_misc "$binfmt"
  fi
  if [ ! -e "$binfmt/qemu-i386" ]; then
    echo "setup: this kernel runs no 32-bit programs; registering qemu-i386 for them"
    magic='\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00'
    mask='\xff\xff\xff\xff\xff\xfe\xfe\x00\xff\xff\xff\xff\xff\xff\xff\xff\xfe\xff\xff\xff'
    echo ":qemu-i386:M::$magic:$mask:/usr/bin/qemu-i386-static:F" |
      "${sudo_[@]}" tee "$binfmt/register" >/dev/null
  fi
  if ! /lib/ld-linux.so.2 --version >/dev/null 2>&1; then
    echo "setup: 32-bit programs still do not run; Wine cannot start" >&2
    exit 1
  fi
fi
