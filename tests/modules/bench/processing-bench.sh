#!/usr/bin/env bash
# The processing modules beside sox over one hour of 44.1 kHz 16-bit stereo (a 997 Hz tone
# at -1 dB, a quarter period later on the right, made once in the folder): Pelrin to 48 kHz
# against sox rate -v, Dastrel to 0.8 of the length against sox tempo 1.25, the equaliser
# against sox equalizer and treble (speed only). Prints the time, times real time and the
# THD+N of the left tone over ten seconds in the middle, ours beside sox's, and the ratio
# of the speeds.
#
#   tests/modules/bench/processing-bench.sh [--arch A] [folder, default /tmp/tessaro-processing-bench]
set -u
root=$(cd "$(dirname "$0")/../../.." && pwd)
arch=()
[ "${1:-}" = --arch ] && { arch=(--arch "$2"); shift 2; }
folder=${1:-/tmp/tessaro-processing-bench}
mkdir -p "$folder"
export TESSARO_ARCH_SAID=1  # the tools need not say the architecture at every run
winpath() { local p=$1; echo "Z:${p//\//\\}"; }
raw=(-t raw -e signed-integer -b 16 -L -c 2)
hour=$folder/hour-997.raw
[ -f "$hour" ] || sox -D -n "${raw[@]}" -r 44100 "$hour" synth 3600 sine 997 sine 997 0 25 gain -1 || exit 1

bench() { "$root/tools/wine-run" "${arch[@]}" tests/ProcessingBench.exe "$@" | tr -d '\r'; }
timed() {
  local start end
  start=$(date +%s.%N)
  "$@" 2>/dev/null
  end=$(date +%s.%N)
  awk -v s="$start" -v e="$end" 'BEGIN { printf "%.1f s, %.1f x real time", e - s, 3600 / (e - s) }'
}
thdn() { bench thdn "$(winpath "$1")" 0 "$2" "$3" 1800 10; }

# label, our command, sox effect, output rate, tone of the left channel after the effect
rows=(
  "Pelrin 44.1 to 48 kHz|resample|rate -v 48000|48000|997"
  "Dastrel 0.8 of the length|stretch|tempo 1.25|44100|997"
  "equaliser|equalise|equalizer 1000 2q 6 treble 6 3000|44100|"
)
for row in "${rows[@]}"; do
  IFS='|' read -r label ours effect rate tone <<<"$row"
  read -r -a effect_args <<<"$effect"
  mine=$(bench "$ours" "$(winpath "$hour")" "$(winpath "$folder/ours.raw")")
  theirs=$(timed sox -D "${raw[@]}" -r 44100 "$hour" "${raw[@]}" "$folder/sox.raw" "${effect_args[@]}")
  ratio=$(awk -v a="${mine%% s*}" -v b="${theirs%% s*}" 'BEGIN { printf "%.2f", b / a }')
  echo "$label"
  echo "  ours: $mine"
  echo "  sox:  $theirs ($effect)"
  echo "  ours runs $ratio times as fast as sox"
  if [ -n "$tone" ]; then
    echo "  THD+N of the $tone Hz tone: ours $(thdn "$folder/ours.raw" "$rate" "$tone"), sox $(thdn "$folder/sox.raw" "$rate" "$tone")"
  fi
  rm -f "$folder/ours.raw" "$folder/sox.raw"
done
