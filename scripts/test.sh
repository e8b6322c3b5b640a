#!/usr/bin/env bash
# Runs every test: native (plain and sanitized), the Windows build under Wine,
# a bounded fuzz run, the resource check and the benchmarks. Installs what is
# missing first. Exits non-zero on any failure.
#   FUZZ_SECONDS=60   length of the fuzz run
set -euo pipefail
cd "$(dirname "$0")/.."
fuzz_seconds="${FUZZ_SECONDS:-60}"
step() { printf '\n=== %s\n' "$*"; }

step "set-up"
bash scripts/setup.sh

step "formatting (clang-format)"
git ls-files '*.cpp' '*.h' | xargs clang-format --dry-run --Werror
echo "formatted"

step "native build and tests (stand-in registry)"
cmake --preset native >/dev/null
cmake --build --preset native
ctest --preset native

step "native tests under AddressSanitizer and UndefinedBehaviorSanitizer"
cmake --preset native-sanitize >/dev/null
cmake --build --preset native-sanitize
ctest --preset native-sanitize

step "Windows build (i686) and its tests under Wine"
cmake --preset windows-i686 >/dev/null
cmake --build --preset windows-i686
xvfb-run -a -s "-screen 0 1280x1024x24 -nolisten tcp" ctest --preset windows-i686
cmake --build --preset windows-i686 --target velmora_zip
(cd build/windows-i686 && cmake -E tar tf Velmora-*.zip)

step "the exe builds byte for byte the same in a second tree"
cmake -S . -B build/repro --toolchain cmake/toolchain-mingw-i686.cmake -G Ninja \
  -DCMAKE_BUILD_TYPE=MinSizeRel >/dev/null
cmake --build build/repro --target Velmora >/dev/null
cmp build/windows-i686/Velmora.exe build/repro/Velmora.exe
echo "identical: $(sha256sum build/windows-i686/Velmora.exe | cut -c1-16)..."

step "fuzzing GetRegString for ${fuzz_seconds} s"
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
(cd "$work" && "$OLDPWD/build/fuzz/fuzz/fuzz_reader" -max_total_time="$fuzz_seconds" \
  -print_final_stats=1 "$work" "$OLDPWD/fuzz/corpus" 2>&1 | grep -E '^(stat::|Done|#[0-9]+ +DONE)' )

step "benchmark: GetRegString over the stand-in"
build/native/bench/bench_reader --benchmark_out="$work/bench.json" --benchmark_out_format=json
/usr/bin/python3 - "$work/bench.json" <<'PY'
import json, sys
runs = {b["name"]: b["real_time"] for b in json.load(open(sys.argv[1]))["benchmarks"]
        if b.get("run_type") == "iteration"}
small, big = runs["BM_GetRegString/1048576"], runs["BM_GetRegString/16777216"]
print(f"16 MiB / 1 MiB time ratio: {big / small:.1f} (linear would be 16)")
PY

step "benchmark: start-up time under Wine, Velmora.exe against a bare window"
win=build/windows-i686
xvfb-run -a -s "-screen 0 1280x1024x24 -nolisten tcp" bash -c \
  "set -e; $win/wine-session start; $win/wine-run $win/bench/startup/startup_bench.exe \
   $win/Velmora.exe $win/bench/startup/bare_window.exe 10; $win/wine-session stop"

step "all tests passed"
