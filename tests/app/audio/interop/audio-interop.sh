#!/usr/bin/env bash
# Interoperability of Tessaro's audio files with sox and ffmpeg, format x width x channels:
#   peer writes, Tessaro reads: every sample Tessaro reads equals the peer's own s32 decode;
#   Tessaro writes, peer decodes: the peer's s32 decode equals what Tessaro reads back;
#   Tessaro saves an edited wave (two sources and silence): it reopens with the wave's
#   frames and the peer's decode equals what Tessaro reads back;
#   Tessaro saves a peer's file unedited: the frames keep their bytes.
# Also: files Tessaro refuses with a clear message, and peaks of a file in a read-only folder.
# A cell a peer cannot make says so. Prints the table; fails when a cell fails.
#
#   audio-interop.sh <AudioProbe.exe> <work folder>
set -u
probe=$1
work=$2
root=$(cd "$(dirname "$0")/../../../.." && pwd)
rate=44100
frames=2205

chattr -i "$work/readonly" 2>/dev/null  # a run that was stopped halfway
rm -rf "$work"
mkdir -p "$work"
manifest=$work/manifest.txt
: >"$manifest"

winpath() { local p=$1; echo "Z:${p//\//\\}"; }
have() { command -v "$1" >/dev/null 2>&1; }

# label, Tessaro's type and word, extension, sox encoding and bits, ffmpeg codec and format,
# the peers that decode the cell; "-" where a peer cannot write it (sox writes 32-bit samples
# when asked for 20) and a peer left out where it cannot decode it (sox reads 20-bit WAVE
# samples as packed bits)
cells=(
  "WAV-u8   3 0x2108  wav unsigned-integer 8  pcm_u8    wav   sox,ffmpeg"
  "WAV-s16  3 0x8105  wav signed-integer   16 pcm_s16le wav   sox,ffmpeg"
  "WAV-s20  3 0x10205 wav -                20 -         wav   ffmpeg"
  "WAV-s24  3 0x20105 wav signed-integer   24 pcm_s24le wav   sox,ffmpeg"
  "WAV-s32  3 0x40105 wav signed-integer   32 pcm_s32le wav   sox,ffmpeg"
  "AIFF-s8  4 0x2104  aif signed-integer   8  pcm_s8    aiff  sox,ffmpeg"
  "AIFF-s16 4 0x8106  aif signed-integer   16 pcm_s16be aiff  sox,ffmpeg"
  "AIFF-s20 4 0x10206 aif -                20 -         aiff  sox,ffmpeg"
  "AIFF-s24 4 0x20106 aif signed-integer   24 pcm_s24be aiff  sox,ffmpeg"
  "AU-mulaw 5 0x2142  au  mu-law           8  pcm_mulaw au    sox,ffmpeg"
  "AU-s16   5 0x8106  au  signed-integer   16 pcm_s16be au    sox,ffmpeg"
  "AU-s24   5 0x20106 au  signed-integer   24 pcm_s24be au    sox,ffmpeg"
  "RAW-u8   1 0x2108  raw unsigned-integer 8  pcm_u8    u8    sox,ffmpeg"
  "RAW-s16  1 0x8105  raw signed-integer   16 pcm_s16le s16le sox,ffmpeg"
  "RAW-s24  1 0x20105 raw signed-integer   24 pcm_s24le s24le sox,ffmpeg"
)

# Noise near full scale, different in each channel.
noise() {
  local left="0.99*(2*random(0)-1)" right="0.99*(2*random(1)-1)"
  if [ "$1" = 1 ]; then echo "$left"; else echo "$left|$right"; fi
}

# peer_write PEER FILE EXT ENCODING BITS CODEC FORMAT CHANNELS
peer_write() {
  local peer=$1 file=$2 ext=$3 enc=$4 bits=$5 codec=$6 fmt=$7 ch=$8
  if [ "$peer" = sox ]; then
    [ "$enc" = - ] && return 1
    local type=()
    [ "$ext" = raw ] && type=(-t raw -L)
    sox -D -n -r $rate -c "$ch" -b "$bits" -e "$enc" "${type[@]}" "$file" synth $frames's' whitenoise vol 0.99 \
      >/dev/null 2>&1
  else
    [ "$codec" = - ] && return 1
    ffmpeg -v error -y -f lavfi -i "aevalsrc=$(noise "$ch"):s=$rate:d=0.05" -c:a "$codec" -f "$fmt" "$file" \
      >/dev/null 2>&1
  fi
}

# peer_decode PEER IN OUT EXT CHANNELS ENCODING BITS FORMAT: the peer's own decode to signed
# 32-bit little-endian (a raw file's layout told by the encoding and bits, or the format)
peer_decode() {
  local peer=$1 in=$2 out=$3 ext=$4 ch=$5 enc=$6 bits=$7 fmt=$8
  if [ "$peer" = sox ]; then
    local type=()
    [ "$ext" = raw ] && type=(-t raw -e "$enc" -b "$bits" -L -r $rate -c "$ch")
    sox -D "${type[@]}" "$in" -t raw -e signed-integer -b 32 -L "$out" >/dev/null 2>&1
  else
    local type=()
    [ "$ext" = raw ] && type=(-f "$fmt" -ar $rate -ac "$ch")
    ffmpeg -v error -y "${type[@]}" -i "$in" -f s32le -c:a pcm_s32le "$out" >/dev/null 2>&1
  fi
}

declare -A result
peers=()
for peer in sox ffmpeg; do have $peer && peers+=($peer); done

# Peers write; the probe reads their files and writes its own.
for cell in "${cells[@]}"; do
  read -r label type word ext enc bits codec fmt decoders <<<"$cell"
  for ch in 1 2; do
    for peer in sox ffmpeg; do
      key="$label/$ch/$peer"
      if ! have $peer; then
        result[$key.in]="n/a ($peer missing)"
        result[$key.out]="n/a ($peer missing)"
        result[$key.saved]="n/a ($peer missing)"
        continue
      fi
      file=$work/$peer-$label-$ch.$ext
      if peer_write $peer "$file" "$ext" "$enc" "$bits" "$codec" "$fmt" "$ch" &&
         peer_decode $peer "$file" "$file.s32" "$ext" "$ch" "$enc" "$bits" "$fmt"; then
        echo "read $(winpath "$file") $(winpath "$file.s32") $word $ch $rate" >>"$manifest"
        echo "resave $(winpath "$file") $(winpath "$work/$peer-$label-$ch-resaved.$ext") $word $ch $rate" \
          >>"$manifest"
      else
        result[$key.in]="n/a: $peer cannot write it"
      fi
    done
    file=$work/tessaro-$label-$ch.$ext
    echo "write $type $word $ch $rate $frames $(winpath "$file") $(winpath "$file.expected")" >>"$manifest"
    file=$work/tessaro-$label-$ch-saved.$ext
    echo "save $word $ch $rate $frames $(winpath "$file") $(winpath "$file.expected")" >>"$manifest"
  done
done

# Files Tessaro refuses, each with its message.
if have sox; then
  sox -D -n -r $rate -c 2 -b 32 -e floating-point "$work/float.wav" synth 0.05 whitenoise >/dev/null 2>&1 &&
    echo "refuse $(winpath "$work/float.wav") 10032" >>"$manifest"
  sox -D -n -r $rate -c 1 -b 8 -e signed-integer "$work/linear8.au" synth 0.05 whitenoise >/dev/null 2>&1 &&
    echo "refuse $(winpath "$work/linear8.au") 10025" >>"$manifest"
fi

# Peaks of a file in a folder that takes no new file: root needs the immutable flag.
readonly_folder=$work/readonly
readonly_state="cannot make a read-only folder here"
if have sox && mkdir -p "$readonly_folder" &&
   sox -D -n -r $rate -c 2 -b 16 "$readonly_folder/peaks.wav" synth 1 sine 440 >/dev/null 2>&1; then
  if [ "$(id -u)" = 0 ]; then chattr +i "$readonly_folder" 2>/dev/null; else chmod 555 "$readonly_folder"; fi
  if ! touch "$readonly_folder/probe" 2>/dev/null; then
    readonly_state=made
    echo "peaks $(winpath "$readonly_folder/peaks.wav")" >>"$manifest"
  fi
  rm -f "$readonly_folder/probe"
fi

"$root/tools/wine-run" "$probe" "$(winpath "$manifest")" "$(winpath "$work/results.txt")" >"$work/probe.log" 2>&1
chattr -i "$readonly_folder" 2>/dev/null
chmod 755 "$readonly_folder" 2>/dev/null
mapfile -t answers <"$work/results.txt" 2>/dev/null
answers=("${answers[@]%$'\r'}")

# Results in manifest order; a cell that fails says FAIL.
line=0
next_answer() { answer=${answers[$line]:-no answer}; line=$((line + 1)); }
verdict() { case $1 in ok*) echo ok ;; *) echo "FAIL: $1" ;; esac; }
# decoded KEY FILE: whether the peers decode what Tessaro made as Tessaro reads it back
decoded() {
  local key=$1 file=$2 peer
  for peer in "${peers[@]}"; do
    if [[ ",$decoders," != *",$peer,"* ]]; then
      result[$label/$ch/$peer.$key]="n/a: $peer cannot read it"
    elif [ "${answer%% *}" != ok ]; then
      result[$label/$ch/$peer.$key]="FAIL: Tessaro: $answer"
    elif ! peer_decode $peer "$file" "$file.$peer.s32" "$ext" "$ch" "$enc" "$bits" "$fmt"; then
      result[$label/$ch/$peer.$key]="FAIL: $peer cannot decode it"
    elif cmp -s "$file.expected" "$file.$peer.s32"; then
      result[$label/$ch/$peer.$key]=ok
    else
      result[$label/$ch/$peer.$key]="FAIL: $peer decodes other values"
    fi
  done
}
for cell in "${cells[@]}"; do
  read -r label type word ext enc bits codec fmt decoders <<<"$cell"
  for ch in 1 2; do
    for peer in sox ffmpeg; do
      key="$label/$ch/$peer"
      if [ -n "${result[$key.in]:-}" ]; then
        result[$key.resave]=${result[$key.in]}
        continue
      fi
      next_answer
      result[$key.in]=$(verdict "$answer")
      next_answer
      result[$key.resave]=$(verdict "$answer")
    done
    next_answer
    decoded out "$work/tessaro-$label-$ch.$ext"
    next_answer
    decoded saved "$work/tessaro-$label-$ch-saved.$ext"
  done
done

# table KEY1 KEY2 HEADING1 HEADING2 HEADING3 HEADING4: a row per cell and channel count, the
# two peers' results under the first key, then under the second
table() {
  printf "%-10s %-3s | %-26s %-26s | %-26s %-26s\n" cell ch "$3" "$4" "$5" "$6"
  local cell label ch
  for cell in "${cells[@]}"; do
    read -r label _ <<<"$cell"
    for ch in 1 2; do
      printf "%-10s %-3s | %-26s %-26s | %-26s %-26s\n" "$label" "$ch" "${result[$label/$ch/sox.$1]}" \
        "${result[$label/$ch/ffmpeg.$1]}" "${result[$label/$ch/sox.$2]}" "${result[$label/$ch/ffmpeg.$2]}"
    done
  done
}

{
table in out "sox writes, T reads" "ffmpeg writes, T reads" "T writes, sox decodes" "T writes, ffmpeg dec."
echo
table saved resave "T saves edited, sox dec." "T saves edited, ffmpeg dec." "sox file resaved, bytes" \
  "ffmpeg file resaved, bytes"
if have sox; then
  next_answer
  echo "float WAV refused with 10032: $(verdict "$answer")"
  next_answer
  echo "8-bit linear AU refused with 10025: $(verdict "$answer")"
fi
if [ "$readonly_state" = made ]; then
  next_answer
  case $answer in
    "peaks 1 beside 0 entries 344") echo "peaks in a read-only folder, kept in the temporary folder: ok" ;;
    *) echo "peaks in a read-only folder: FAIL: $answer" ;;
  esac
else
  echo "peaks in a read-only folder: $readonly_state"
fi
} | tee "$work/table.txt"
grep -q FAIL "$work/table.txt" || exit 0
echo "probe log:"
cat "$work/probe.log"
exit 1
