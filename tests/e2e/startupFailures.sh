#!/usr/bin/env bash
# Start-up failures end non-zero with a line on stderr: a game folder
# without "Data.dat", and one without a picture the graphics resources need.
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
status=0
(cd "$work/noData" && timeout 60 "$bin/corvadine" 2>"$work/noData.err") || status=$?
cat "$work/noData.err"
[ "$status" = 255 ] || { echo "missing Data.dat ended with $status, not -1"; exit 1; }
grep -q 'Data.dat' "$work/noData.err" || { echo "no line about Data.dat"; exit 1; }

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
echo ok
