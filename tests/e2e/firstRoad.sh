#!/usr/bin/env bash
# The story's first road, from the title to the chapter-end save of episode 0
# and on into the sea district. firstroad plays it through the real screens
# and writes the keys it held; playtest then replays those keys in a fresh
# copy of the game folder and must end in the same state.
set -euo pipefail
bin="$1"
game="$2"
out="$(mktemp -d)"
trap 'rm -rf "$out"' EXIT

budget=60000  # frames; the road takes about 40,000
clock=1700000000
cp -r "$game" "$out/played"
cp -r "$game" "$out/replayed"
rm -f "$out"/played/Save_*.dat "$out"/replayed/Save_*.dat

if ! "$bin/firstroad" --workdir "$out/played" --out "$out/road.keys" --clock "$clock" --null-gfx \
    --frames "$budget" >"$out/played.txt"; then
  grep -v '^  frame' "$out/played.txt" | tail -40
  echo "the road was not played to its end"
  exit 1
fi
grep -v '^symbol' "$out/played.txt"

# Every battle of the road was fought and won: the thieves in the sea
# district, the guards of the cell block, the guards at リメル's cell and the
# governor.
for group in 1 3 7 8; do
  grep -q "^battle group $group on map" "$out/played.txt" || { echo "battle group $group was not fought"; exit 1; }
done
grep -qx 'battles=4 won=4 .*' <(grep '^battles=' "$out/played.txt") || { echo "a battle of the road was not won"; exit 1; }
[ "$(grep -c '^shop$' "$out/played.txt")" -ge 2 ] || { echo "the merchant's shops were not opened"; exit 1; }
grep -qx 'chapter save screen' "$out/played.txt" || { echo "no chapter-end save screen"; exit 1; }

# The end: the sea district, with episode 0 over and its interlude played.
state() { sed -n '/^scene=/,/^frames=/p' "$1"; }
state "$out/played.txt" >"$out/played.state"
grep -qx 'map=2' "$out/played.state" || { echo "the road did not end in the sea district"; exit 1; }
flags="$(sed -n 's/^story_flags=//p' "$out/played.state")"
for flag in 1:1 6:4 7:2; do
  [[ ",$flags," == *",$flag,"* ]] || { echo "story flag $flag missing from $flags"; exit 1; }
done
save="$out/played/Save_0.dat"
[ -f "$save" ] || { echo "the chapter-end save was not written"; exit 1; }
[ "$(stat -c %s "$save")" -eq 90799 ] || { echo "the save has the wrong size"; exit 1; }

# The kept keys replay the same run.
frames="$(sed -n 's/^frames=//p' "$out/played.state")"
"$bin/playtest" --frames "$frames" --input "$out/road.keys" --state --workdir "$out/replayed" --clock "$clock" \
  --null-gfx >"$out/replayed.txt"
state "$out/replayed.txt" >"$out/replayed.state"
if ! diff "$out/played.state" "$out/replayed.state"; then
  echo "the replay ended elsewhere"
  exit 1
fi
[ -f "$out/replayed/Save_0.dat" ] || { echo "the replay wrote no save"; exit 1; }
echo ok
