#!/usr/bin/env bash
# Start-up failures end non-zero with a line on stderr: a game folder
# without "Data.dat" or with one of the wrong size, and one without a
# picture the graphics resources need.
set -euo pipefail
bin="$1"
game="$2"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
export SDL_VIDEODRIVER="${SDL_VIDEODRIVER:-offscreen}" SDL_AUDIODRIVER="${SDL_AUDIODRIVER:-dummy}"

# A copy of the game folder made of links, less Data.dat.
mkdir "$work/noData"
for entry in "$game"/*; do ln -s "$entry" "$work/noData/"; done
rm -f "$work/noData/Data.dat" "$work/noData/Game.lock"

# A missing Data.dat, and one of any size but 170,960 bytes, end with -1
# after a box (its line on stderr when headless) naming the file and the
# folder it was looked for in.
expectDataRefused() {
  local folder="$1" status=0
  (cd "$folder" && timeout 60 "$bin/corvadine" 2>"$folder.err") || status=$?
  cat "$folder.err"
  [ "$status" = 255 ] || { echo "$folder: ended with $status, not -1"; exit 1; }
  grep -F '[Error]' "$folder.err" | grep -F 'Data.dat' >/dev/null || { echo "$folder: no box about Data.dat"; exit 1; }
  grep -F "$(cd "$folder" && pwd -P)" "$folder.err" >/dev/null || { echo "$folder: the box does not name the folder"; exit 1; }
}
expectDataRefused "$work/noData"
for size in 1000 170959 170961; do
  mkdir "$work/size$size"
  for entry in "$game"/*; do ln -s "$entry" "$work/size$size/"; done
  rm -f "$work/size$size/Data.dat" "$work/size$size/Game.lock"
  head -c "$size" /dev/zero > "$work/size$size/Data.dat"
  expectDataRefused "$work/size$size"
done

# The same folder with its pictures gone: the resources fail.
mkdir -p "$work/noPictures/Res"
for entry in "$game"/*; do [ "$(basename "$entry")" = Res ] || ln -s "$entry" "$work/noPictures/"; done
status=0
(cd "$work/noPictures" && timeout 60 "$bin/corvadine" 2>"$work/noPictures.err") || status=$?
cat "$work/noPictures.err"
[ "$status" = 1 ] || { echo "missing pictures ended with $status"; exit 1; }
grep -q 'graphics resources' "$work/noPictures.err" || { echo "no line about the resources"; exit 1; }

# playtest says the same and ends non-zero too.
status=0
"$bin/playtest" --frames 5 --workdir "$work/noData" 2>/dev/null || status=$?
[ "$status" != 0 ] || { echo "playtest started without Data.dat"; exit 1; }
status=0
"$bin/playtest" --frames 5 --workdir "$work/size1000" 2>/dev/null || status=$?
[ "$status" != 0 ] || { echo "playtest started with a 1000-byte Data.dat"; exit 1; }
echo ok
