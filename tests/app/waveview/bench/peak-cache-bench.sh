#!/usr/bin/env bash
# The peak cache benchmark on a one-hour 44.1 kHz 16-bit stereo WAV file (made once in the
# folder by the audio file benchmark's program), warm: the file's pages cached.
#
#   tests/app/waveview/bench/peak-cache-bench.sh [--arch A] [folder, default /tmp/tessaro-audio-bench]
set -u
root=$(cd "$(dirname "$0")/../../../.." && pwd)
arch=()
[ "${1:-}" = --arch ] && { arch=(--arch "$2"); shift 2; }
folder=${1:-/tmp/tessaro-audio-bench}
mkdir -p "$folder"
windows="Z:${folder//\//\\}"
run() { "$root/tools/wine-run" "${arch[@]}" "$@" 2>/dev/null | tr -d '\r'; }
run tests/AudioFileBench.exe "$windows" make >/dev/null || { echo "cannot make $folder/hour.wav"; exit 1; }
run tests/PeakCacheBench.exe "$windows"
