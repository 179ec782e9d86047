#!/usr/bin/env bash
# The save benchmark: the one-hour 44.1 kHz 16-bit stereo WAV file of the audio file
# benchmark (made once in the folder) saved by Tessaro unedited, edited and as AIFF, beside
# cp of the same file and a plain ReadFile/WriteFile copy loop in Wine, all with the file's pages cached and nothing left to write back
# (sync before each run); the median of five runs in ms and each save's time over cp's.
#
#   tests/app/audio/bench/wave-save-bench.sh [--arch A] [folder, default /tmp/tessaro-audio-bench]
set -u
root=$(cd "$(dirname "$0")/../../../.." && pwd)
arch=()
[ "${1:-}" = --arch ] && { arch=(--arch "$2"); shift 2; }
folder=${1:-/tmp/tessaro-audio-bench}
mkdir -p "$folder"
wav=$folder/hour.wav
winfolder="Z:${folder//\//\\}"

run() { "$root/tools/wine-run" "${arch[@]}" "tests/$1" "$winfolder" "${@:2}" 2>/dev/null | tr -d '\r'; }
# A save into a new file, as cp makes one: the last run's output goes first.
save() { rm -f "$folder/out.wav" "$folder/out.aif" "$folder/out.gpk"; run WaveSaveBench.exe "$1"; }
copy() {
  local start end
  rm -f "$folder/out-cp.wav"
  start=$(date +%s.%N); cp "$wav" "$folder/out-cp.wav"; end=$(date +%s.%N)
  echo "cp $(awk -v s="$start" -v e="$end" 'BEGIN { printf "%.4f", e - s }')"
}
# The median of five runs, after one that brings the pages into the cache.
timed() {
  "$@" >/dev/null
  for n in 1 2 3 4 5; do sync; "$@" | awk '{ print $NF }'; done | sort -n | sed -n 3p
}

run AudioFileBench.exe make >/dev/null || { echo "cannot make $wav"; exit 1; }
echo "file: $(awk -v b="$(stat -c %s "$wav")" 'BEGIN { printf "%.1f", b / 1048576 }') MB"
declare -A t
t[cp]=$(timed copy)
for what in copy unedited edited aiff; do t[$what]=$(timed save "$what"); done
printf "%-34s %10s %12s\n" case time "over cp"
for what in cp copy unedited edited aiff; do
  label=$what
  case $what in
    cp) label="cp (Linux)" ;;
    copy) label="copy loop in Wine, 4 MB pieces" ;;
    unedited) label="Tessaro save, unedited" ;;
    edited) label="Tessaro save, edited" ;;
    aiff) label="Tessaro save as AIFF (converted)" ;;
  esac
  awk -v l="$label" -v s="${t[$what]}" -v c="${t[cp]}" 'BEGIN { printf "%-34s %7.0f ms %10.2f x\n", l, s * 1000, s / c }'
done
rm -f "$folder/out-cp.wav" "$folder/out.wav" "$folder/out.aif" "$folder/out.gpk"
