#!/usr/bin/env bash
# The effects benchmark: gain -6 dB and then normalize of a one-hour 44.1 kHz 16-bit stereo
# WAV file (noise, made once in the folder by sox), by Tessaro on the wave over the file
# (its work in temporary files, undo on) and by sox (`gain -6`, `gain -n`, no dither, to a
# new file). Prints the seconds, times realtime and Tessaro's time over sox's.
#
#   tests/app/effects/sox/effects-bench.sh [--arch A] [folder, default /tmp/tessaro-effects-bench]
# Run from the checkout after tools/build.
set -u
root=$(cd "$(dirname "$0")/../../../.." && pwd)
arch=x86_64
[ "${1:-}" = --arch ] && { arch=$2; shift 2; }
folder=${1:-/tmp/tessaro-effects-bench}
mkdir -p "$folder"
wav=$folder/hour.wav
[ -s "$wav" ] || sox -D -n -r 44100 -c 2 -b 16 "$wav" synth 3600 whitenoise vol 0.3 || exit 1

seconds() { awk -v s="$1" -v e="$2" 'BEGIN { printf "%.3f", e - s }'; }
sox_time() {
  local start end
  start=$(date +%s.%N)
  sox -D "$wav" "$folder/out.wav" "$@" 2>/dev/null
  end=$(date +%s.%N)
  rm -f "$folder/out.wav"
  seconds "$start" "$end"
}

ours=$("$root/tools/wine-run" --arch "$arch" "$root/build/$arch/tests/EffectsProbe.exe" bench \
  "Z:${wav//\//\\}" 2>/dev/null | tr -d '\r')
echo "$ours" | grep -q '^normalize ' || { echo "the probe failed: $ours"; exit 1; }
declare -A sox
sox[gain]=$(sox_time gain -6)
sox[normalize]=$(sox_time gain -n)
printf "%-10s %10s %12s %10s %12s %8s\n" effect "ours s" "ours x rt" "sox s" "sox x rt" ratio
for effect in gain normalize; do
  t=$(echo "$ours" | awk -v e="$effect" '$1 == e { print $2 }')
  awk -v e="$effect" -v t="$t" -v s="${sox[$effect]}" \
    'BEGIN { printf "%-10s %10.3f %12.1f %10.3f %12.1f %8.2f\n", e, t, 3600 / t, s, 3600 / s, t / s }'
done
echo "$ours" | grep '^undo '
