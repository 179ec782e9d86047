#!/usr/bin/env bash
# The processing modules beside sox on the same inputs: the probe makes each input and our
# output under Wine, sox (without dither) makes its own on the Linux side, and the probe
# measures both. Prints the figures side by side; fails when a case fails.
#
#   modules-sox.sh <ModulesProbe.exe> <work folder>
set -u
probe=$1
work=$2
root=$(cd "$(dirname "$0")/../../.." && pwd)
rm -rf "$work"
mkdir -p "$work"
winpath() { local p=$1; echo "Z:${p//\//\\}"; }
command -v sox >/dev/null 2>&1 || { echo "sox is missing (tools/setup installs it)"; exit 1; }

# name, module, rate, time factor, pitch ratio, signal, measure | sox effect
cases=(
  "rate-1k      pelrin  44100 0    0.91875 sine:1000:-1:2   thdn:1000:93:0.5  | rate -v 48000"
  "rate-20k     pelrin  44100 0    0.91875 sine:20000:-1:2  thdn:20000:93:0.5 | rate -v 48000"
  "length-1     pelrin  44100 0    0.91875 dc:1:10000       length            | rate -v 48000"
  "length-3     pelrin  44100 0    0.91875 dc:3:10000       length            | rate -v 48000"
  "length-22051 pelrin  44100 0    0.91875 dc:22051:10000   length            | rate -v 48000"
  "length-44101 pelrin  44100 0    0.91875 dc:44101:10000   length            | rate -v 48000"
  "stretch-0.5  dastrel 44100 0.5  1       sine:440:-1:3    thdn:440:40:0     | tempo 2"
  "stretch-0.8  dastrel 44100 0.8  1       sine:440:-1:3    thdn:440:40:0     | tempo 1.25"
  "stretch-1.25 dastrel 44100 1.25 1       sine:440:-1:3    thdn:440:40:0     | tempo 0.8"
  "stretch-2    dastrel 44100 2    1       sine:440:-1:3    thdn:440:40:0     | tempo 0.5"
  "clicks-0.5   dastrel 44100 0.5  1       clicks:4         clicks:0.5        | tempo 2"
  "clicks-0.8   dastrel 44100 0.8  1       clicks:4         clicks:0.8        | tempo 1.25"
  "clicks-1.25  dastrel 44100 1.25 1       clicks:4         clicks:1.25       | tempo 0.8"
  "clicks-2     dastrel 44100 2    1       clicks:4         clicks:2          | tempo 0.5"
  "pitch+12     dastrel 44100 1    2       sine:440:-1:3    thdn:880:0:0      | pitch 1200"
  "pitch-12     dastrel 44100 1    0.5     sine:440:-1:3    thdn:220:0:0      | pitch -1200"
  "chorus+50c   dastrel 44100 1    1.0293022 sine:440:-1:3  thdn:452.89:0:0   | pitch 50"
  "chorus-7c    dastrel 44100 1    0.9959648 sine:440:-1:3  thdn:438.22:0:0   | pitch -7"
)
manifest=$work/manifest.txt
for c in "${cases[@]}"; do echo "${c%%|*}"; done >"$manifest"

"$root/tools/wine-run" "$probe" make "$(winpath "$manifest")" >"$work/probe.log" 2>&1 || { cat "$work/probe.log"; exit 1; }
raw=(-t raw -e signed-integer -b 16 -L -c 1)
for c in "${cases[@]}"; do
  read -r name module rate _ <<<"${c%%|*}"
  read -r -a effect <<<"${c#*|}"
  sox -D "${raw[@]}" -r "$rate" "$work/$name.in.raw" "${raw[@]}" "$work/$name.sox.raw" "${effect[@]}" 2>>"$work/sox.log"
done
{
  printf "%-18s | %-24s | %-24s | %s\n" case ours sox verdict
  "$root/tools/wine-run" "$probe" measure "$(winpath "$manifest")" 2>>"$work/probe.log" | tr -d '\r'
} | tee "$work/table.txt"
[ "$(grep -c '| ok$' "$work/table.txt")" -eq "${#cases[@]}" ] && exit 0
echo "probe log:"
cat "$work/probe.log"
exit 1
