#!/usr/bin/env bash
# The audio file benchmark: AudioFileBench under Wine (it makes a one-hour 44.1 kHz 16-bit
# stereo WAV file when the folder has none, then opens it with its peak file per access
# kind), and cat of the same file on the Linux side for comparison.
#
#   tests/app/audio/bench/audio-file-bench.sh [--arch A] [folder, default /tmp/tessaro-audio-bench]
set -u
root=$(cd "$(dirname "$0")/../../../.." && pwd)
arch=()
[ "${1:-}" = --arch ] && { arch=(--arch "$2"); shift 2; }
folder=${1:-/tmp/tessaro-audio-bench}
mkdir -p "$folder"
"$root/tools/wine-run" "${arch[@]}" tests/AudioFileBench.exe "Z:${folder//\//\\}" || exit 1
start=$(date +%s.%N)
cat "$folder/hour.wav" >/dev/null
end=$(date +%s.%N)
bytes=$(stat -c %s "$folder/hour.wav")
awk -v s="$start" -v e="$end" -v b="$bytes" \
  'BEGIN { printf "%-40s %7.2f s  %7.1f MB/s\n", "cat (Linux)", e - s, b / 1048576 / (e - s) }'
