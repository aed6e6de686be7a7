# The story played through on one route (sourced by playthroughRoute1.sh and
# playthroughRoute2.sh with $route set): playthrough plays it through the
# real screens from a new game and writes the keys it held; playtest then
# replays those keys in a fresh copy of the game folder and must end in the
# same state. Both routes are played to the end, the staff roll and the
# title: the tower route (1) through
# 魔空間 and episode 9's sea base to クロム and セレン on its top; the Ruleno
# route (2) through the Ruleno castle, 魔空間, the whole tower and ダクトナーレ.
set -euo pipefail
bin="$1"
game="$2"
out="$(mktemp -d)"
trap 'rm -rf "$out"' EXIT

budget=520000  # frames; the road takes about 412,000 (route 1) to 430,000 (route 2)
clock=1700000000
cp -r "$game" "$out/played"
cp -r "$game" "$out/replayed"
rm -f "$out"/played/Save_*.dat "$out"/replayed/Save_*.dat

if ! "$bin/playthrough" --route "$route" --workdir "$out/played" --out "$out/road.keys" --clock "$clock" --null-gfx \
    --frames "$budget" >"$out/played.txt" 2>"$out/played.err"; then
  cat "$out/played.err" >&2
  grep -v '^  frame' "$out/played.txt" | tail -40
  echo "route $route was not played to the end of its goals"
  exit 1
fi
grep -v '^symbol' "$out/played.txt"

# Every conversation step the road passes has its line: a step whose key the
# dialogue file lacks shows the bare key and says so on stderr.
if grep -q '^dialogue: no line' "$out/played.err"; then
  grep '^dialogue: no line' "$out/played.err" | sort | uniq -c
  echo "route $route passed conversation steps without their lines"
  exit 1
fi

# Every story battle was fought and won (playthrough itself fails when an
# expected group of the goals file was not fought).
totals="$(grep '^battles=' "$out/played.txt")"
[[ "$totals" =~ ^battles=([0-9]+)\ won=([0-9]+)\ lost=0\  ]] || { echo "a battle was lost: $totals"; exit 1; }
[ "${BASH_REMATCH[1]}" -eq "${BASH_REMATCH[2]}" ] || { echo "a battle was not won: $totals"; exit 1; }
[ "$(grep -c '^shop$' "$out/played.txt")" -ge 4 ] || { echo "the merchants' counters were not opened"; exit 1; }
chapters=9  # the chapter-end saves of episodes 0-8
[ "$(grep -c '^save chapter$' "$out/played.txt")" -ge "$chapters" ] || { echo "a chapter-end save screen is missing"; exit 1; }
grep -q '^inn on map 2' "$out/played.txt" || { echo "the party never slept at the hotel"; exit 1; }
grep -q '^inn on map 52' "$out/played.txt" || { echo "the party never slept on リュウヒ's futon"; exit 1; }
grep -q '^race on course' "$out/played.txt" || { echo "the boat ride to 和国 was not ridden"; exit 1; }
grep -qx 'save menu' "$out/played.txt" || { echo "the camp menu's save was not used"; exit 1; }
[[ "$totals" == *" loads=1" ]] || { echo "the game was not loaded again from the title: $totals"; exit 1; }
grep -q '^bank' "$out/played.txt" || { echo "the bank was not used"; exit 1; }
# A card duel played to its end; its result does not matter to the road.
[[ "$totals" =~ \ duels=([0-9]+)\  ]] && [ "${BASH_REMATCH[1]}" -ge 1 ] || { echo "no card duel was played: $totals"; exit 1; }
grep -qE '^duel (won|lost|drawn)$' "$out/played.txt" || { echo "the card duel did not end"; exit 1; }

# The end, with episodes 0-6 over: the prison, the den, the
# Slan plain's ambush, the assembly hall's top floors, the battleship's lever
# decks, the boat ride, the mountain's cliff and top, the snow hill's ambush,
# コールルピック, the stealth base and the laboratory's route choice.
state() { sed -n '/^scene=/,/^frames=/p' "$1"; }
state "$out/played.txt" >"$out/played.state"
flags="$(sed -n 's/^story_flags=//p' "$out/played.state")"
common="1:2 6:4 7:2 8:1 9:3 11:1 12:5 13:2 14:1 17:3 18:1 19:1 20:3 21:1 22:1 24:2 25:1 26:3 27:1 47:2 54:2 59:1 61:1 101:2"
common+=" 28:2 29:2 30:3 46:3 48:1 50:2 52:2 53:2 62:2"
case "$route" in
  1)  # the tower (battle 56 on the sixth floor), 魔空間 and battle 78 in its depths, then the sea base
      # up to its top: the thief master beaten and hired, もろこし's sale and card, the last battle
    party=1,2,3
    flags_wanted="$common 63:1 77:2 78:2 81:0 100:1 69:2 71:4 33:2 34:3 79:1 42:2 112:1 43:2 121:1 44:1" ;;
  2)  # episode 7 in the Ruleno castle (battle 71), episode 8 in 魔空間
      # (battle 78), the tower with アラフォース hired (the officers, the
      # thief master, the flashback of the top floor), the ending's scene
    party=1,4,5
    flags_wanted="$common 64:2 65:1 66:2 67:2 68:2 69:2 33:2 34:3 73:3 75:3 32:2 85:1 44:1 111:1 100:2" ;;
esac
grep -qx 'staff roll' "$out/played.txt" || { echo "the staff roll was not reached"; exit 1; }
grep -qx 'title after the staff roll' "$out/played.txt" || { echo "the title did not follow the staff roll"; exit 1; }
grep -qx "scene=1001" "$out/played.state" || { echo "the road did not end at the title"; exit 1; }
grep -qx "party=$party" "$out/played.state" || { echo "the line is not $party"; exit 1; }
for flag in $flags_wanted; do
  if [ "${flag#*:}" = 0 ]; then
    [[ ",$flags," != *",${flag%:*}:"* ]] || { echo "story flag ${flag%:*} is set in $flags"; exit 1; }
  else
    [[ ",$flags," == *",$flag,"* ]] || { echo "story flag $flag missing from $flags"; exit 1; }
  fi
done
for save in "$out/played/Save_0.dat" "$out/played/Save_1.dat"; do
  [ -f "$save" ] || { echo "$save was not written"; exit 1; }
  [ "$(stat -c %s "$save")" -eq 90799 ] || { echo "$save has the wrong size"; exit 1; }
done

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
