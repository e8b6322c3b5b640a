#!/usr/bin/env bash
# Builds Velmora.exe and opens its window under Wine, in the project's own prefix
# (build/run-prefix). A sample driver key is added when the prefix has none, so
# that the six lines are filled.
#   scripts/run.sh                    open the window; close it to end
#   scripts/run.sh --as-is            run against the prefix as it is (no sample key)
#   scripts/run.sh --screenshot FILE  save a PNG of the window, with the caption Wine
#                                     draws itself, instead of waiting; needs no display
set -euo pipefail
cd "$(dirname "$0")/.."

as_is=0
shot=""
while [ $# -gt 0 ]; do
  case "$1" in
    --as-is) as_is=1 ;;
    --screenshot) shot="$(realpath -m "${2:?--screenshot needs a file name}")"; shift ;;
    *) echo "usage: $0 [--as-is] [--screenshot FILE]" >&2; exit 2 ;;
  esac
  shift
done

bash scripts/setup.sh
cmake --preset windows-i686 >/dev/null
cmake --build --preset windows-i686 --target Velmora
build=build/windows-i686
exe="$build/Velmora.exe"
run="$build/wine-run"
export WINEPREFIX="$PWD/build/run-prefix"

"$build/wine-session" prepare
key='HKLM\SYSTEM\CurrentControlSet\Services\ati2mtag\Device0'
if [ "$as_is" = 0 ] && ! "$run" reg query "$key" </dev/null >/dev/null 2>&1; then
  echo "run: no driver key in the prefix; adding sample values (app/sample-driver-key.reg)"
  regfile="Z:$(printf '%s' "$PWD/app/sample-driver-key.reg" | tr / '\\')"
  "$run" regedit /S "$regfile" </dev/null >/dev/null 2>&1
fi

if [ -z "$shot" ]; then
  if [ -z "${DISPLAY:-}" ]; then
    echo "run: no DISPLAY; use --screenshot FILE on a machine without a display" >&2
    exit 1
  fi
  echo "run: starting $exe"
  exec "$run" "$exe"
fi

# Screenshot: a private X server and a Wine virtual desktop, which draws the
# window's caption itself (there is no window manager).
if [ -z "${VELMORA_CAPTURING:-}" ]; then
  VELMORA_CAPTURING=1 exec xvfb-run -a -s "-screen 0 1024x768x24 -nolisten tcp" \
    bash "$0" --as-is --screenshot "$shot"
fi
wineserver -k 2>/dev/null || true
"$run" explorer /desktop=Velmora,640x480 "$exe" </dev/null >/dev/null 2>&1 &
geometry=""
for _ in $(seq 1 120); do
  sleep 0.5
  geometry=$(xwininfo -root -tree 2>/dev/null |
    sed -n 's/.*"Velmora": ("velmora.exe".* \([0-9]*x[0-9]*\)+\([0-9-]*\)+\([0-9-]*\) .*/\1+\2+\3/p' | head -1)
  [ -n "$geometry" ] && break
done
if [ -z "$geometry" ]; then
  echo "run: the window did not appear" >&2
  wineserver -k
  exit 1
fi
sleep 1 # let it paint
import -window root -crop "$geometry" +repage "$shot"
wineserver -k
echo "run: saved $shot ($geometry)"
