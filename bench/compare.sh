#!/usr/bin/env bash
# compare.sh [PAIRS]: the whole-process cost of `zentavo clip.mp4` beside the floor, a minimal
# statically linked C program that prints the same text and writes the same bytes with stdio.
# Prints instructions (callgrind), the median wall time per run over PAIRS alternating pairs
# (default 201), and the two ratios.
set -euo pipefail
cd "$(dirname "$0")/.."
pairs=${1:-201}

cmake --preset default >/dev/null
cmake --build --preset default --target zentavo >/dev/null
zentavo=$PWD/build/default/zentavo

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
python3 bench/make_floor.py >"$work/floor.c"
gcc -O2 -static -o "$work/floor" "$work/floor.c"
gcc -O2 -o "$work/pairs" bench/pairs.c

mkdir "$work/run"
cd "$work/run"
# Both must do the same job: same console text, same bytes.
"$zentavo" clip.mp4 >../zentavo.out && cp clip.xml ../zentavo.xml && cp clip.htm ../zentavo.htm
"$work/floor" clip.mp4 >../floor.out
cmp ../zentavo.out ../floor.out && cmp ../zentavo.xml clip.xml && cmp ../zentavo.htm clip.htm

instructions() {
  valgrind --tool=callgrind --callgrind-out-file=/dev/null "$@" 2>&1 >/dev/null |
    sed -n 's/.*Collected : *\([0-9]*\).*/\1/p; s/.*I *refs: *\([0-9,]*\).*/\1/p' | tr -d , | head -n 1
}
zi=$(instructions "$zentavo" clip.mp4)
fi=$(instructions "$work/floor" clip.mp4)
read -r zt ft < <("$work/pairs" "$pairs" "$zentavo" "$work/floor" clip.mp4)

printf '%-10s %14s %22s\n' "" instructions "median wall time (us)"
printf '%-10s %14s %22s\n' zentavo "$zi" "$zt" floor "$fi" "$ft"
awk -v zi="$zi" -v fi="$fi" -v zt="$zt" -v ft="$ft" -v pairs="$pairs" 'BEGIN {
  printf "ratios: instructions %.3f, wall time %.3f (%d pairs)\n", zi / fi, zt / ft, pairs }' 
