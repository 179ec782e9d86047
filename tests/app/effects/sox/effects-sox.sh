#!/usr/bin/env bash
# Gain, normalize and the fades beside sox on the same inputs: the probe makes each input
# and our output under Wine, sox (without dither) makes its own on the Linux side, and the
# probe measures both. Prints the figures; fails when a check fails.
#
#   effects-sox.sh <EffectsProbe.exe> <work folder>
set -u
probe=$1
work=$2
root=$(cd "$(dirname "$0")/../../../.." && pwd)
rm -rf "$work"
mkdir -p "$work"
winwork="Z:${work//\//\\}"
command -v sox >/dev/null 2>&1 || { echo "sox is missing (tools/setup installs it)"; exit 1; }

"$root/tools/wine-run" "$probe" make "$winwork" >"$work/probe.log" 2>&1 || { cat "$work/probe.log"; exit 1; }
while read -r fixture channels output effect; do
  raw=(-t raw -e signed-integer -b 16 -L -r 44100 -c "$channels")
  # shellcheck disable=SC2086
  sox -D "${raw[@]}" "$work/$fixture.raw" "${raw[@]}" "$work/$output" $effect 2>>"$work/sox.log"
done < <(tr -d '\r' <"$work/sox.txt")
printf "%-16s %-38s | %3s | %10s | %s\n" case sox max identical verdict
"$root/tools/wine-run" "$probe" measure "$winwork" 2>>"$work/probe.log" | tr -d '\r'
status=${PIPESTATUS[0]}
[ "$status" -eq 0 ] || { echo "probe log:"; cat "$work/probe.log"; }
exit "$status"
