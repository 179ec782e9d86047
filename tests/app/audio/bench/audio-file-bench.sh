#!/usr/bin/env bash
# The audio file benchmark: a one-hour 44.1 kHz 16-bit stereo WAV file (made once in the
# folder) read by cat on the Linux side and by a ReadFile loop in Wine, and opened to a
# ready audio file with its peak file built, and with a valid one, per access kind. Each
# case runs with the file's pages dropped from the page cache (cold) and cached (warm), five
# times; the median counts. The build's cost is its time over the ReadFile loop's in the
# same state.
#
#   tests/app/audio/bench/audio-file-bench.sh [--arch A] [folder, default /tmp/tessaro-audio-bench]
set -u
root=$(cd "$(dirname "$0")/../../../.." && pwd)
arch=()
[ "${1:-}" = --arch ] && { arch=(--arch "$2"); shift 2; }
folder=${1:-/tmp/tessaro-audio-bench}
mkdir -p "$folder"
wav=$folder/hour.wav

bench() { "$root/tools/wine-run" "${arch[@]}" tests/AudioFileBench.exe "Z:${folder//\//\\}" "$@" 2>/dev/null | tr -d '\r'; }
# Drops the files' pages from the page cache (GNU dd).
drop() { for f in "$wav" "${wav%.wav}.gpk"; do [ -f "$f" ] && dd if="$f" iflag=nocache count=0 status=none; done; }
# Seconds of one case in a state, cold or warm (run once before, so its pages are cached):
# the median of five runs, the machine's disk and load being what they are.
timed() {
  local state=$1; shift
  [ "$state" = warm ] && "$@" >/dev/null
  for run in 1 2 3 4 5; do
    [ "$state" = cold ] && drop
    "$@" | awk '{ print $NF }'
  done | sort -n | sed -n 3p
}
cat_file() {
  local start end
  start=$(date +%s.%N); cat "$wav" >/dev/null; end=$(date +%s.%N)
  echo "x $(awk -v s="$start" -v e="$end" 'BEGIN { printf "%.4f", e - s }')"
}

made=$(bench make) || { echo "cannot make $wav"; exit 1; }
[ -n "$made" ] && echo "made $wav in ${made##* } s"
megabytes=$(awk -v b="$(stat -c %s "$wav")" 'BEGIN { printf "%.1f", b / 1048576 }')
echo "file: $megabytes MB"

declare -A t
for state in cold warm; do
  t[cat.$state]=$(timed $state cat_file)
  t[read.$state]=$(timed $state bench read)
  for kind in 100 101 102; do
    t[built$kind.$state]=$(timed $state bench built $kind)
    t[valid$kind.$state]=$(timed $state bench valid $kind)
  done
done

row() {
  local label=$1 key=$2
  awk -v l="$label" -v c="${t[$key.cold]}" -v w="${t[$key.warm]}" -v rc="${t[read.cold]}" -v rw="${t[read.warm]}" \
      -v mb="$megabytes" -v ratio="$3" 'BEGIN {
    printf "%-34s %9.3f s %9.3f s %9.0f MB/s", l, c, w, mb / c
    if (ratio) printf "   %5.2f x %5.2f x", c / rc, w / rw
    printf "\n" }'
}
printf "%-34s %11s %11s %14s   %s\n" case cold warm "cold rate" "time over the ReadFile loop (cold, warm)"
row "cat (Linux)" cat 0
row "ReadFile loop (Wine), 1 MB reads" read 0
for kind in 100 101 102; do row "kind $kind, peak file built" built$kind 1; done
for kind in 100 101 102; do
  awk -v l="kind $kind, valid peak file" -v c="${t[valid$kind.cold]}" -v w="${t[valid$kind.warm]}" \
    'BEGIN { printf "%-34s %9.1f ms %8.1f ms\n", l, c * 1000, w * 1000 }'
done
