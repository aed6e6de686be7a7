#!/usr/bin/env bash
# The developer mode reads the seven text tables at start-up and writes
# "Data.dat" from them, in the game and in playtest alike: a folder whose
# Data.dat is all zeros ends up with the one the tables make.
set -euo pipefail
bin="$1"
game="$2"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
export SDL_VIDEODRIVER="${SDL_VIDEODRIVER:-offscreen}" SDL_AUDIODRIVER="${SDL_AUDIODRIVER:-dummy}"

# A copy of the game folder made of links, with a Data.dat of its own.
zeroedFolder() {
  mkdir "$1"
  for entry in "$game"/*; do ln -s "$entry" "$1/"; done
  rm -f "$1/Data.dat" "$1/Game.lock"
  head -c 170960 /dev/zero > "$1/Data.dat"
}

zeroedFolder "$work/playtest"
"$bin/playtest" --developer --frames 3 --null-gfx --workdir "$work/playtest" >/dev/null
cmp "$work/playtest/Data.dat" "$game/Data.dat" || { echo "playtest --developer did not write Data.dat from the tables"; exit 1; }

# Without the switch the zeros are read as they are.
zeroedFolder "$work/normal"
"$bin/playtest" --frames 3 --null-gfx --workdir "$work/normal" >/dev/null
cmp -s "$work/normal/Data.dat" "$game/Data.dat" && { echo "a normal start rewrote Data.dat"; exit 1; }

# The game itself: it writes the file before its first frame and runs on
# until it is closed, here as soon as the file is there (at most a minute).
zeroedFolder "$work/game"
(cd "$work/game" && exec "$bin/corvadine" --developer >/dev/null 2>&1) &
pid=$!
for _ in $(seq 600); do
  cmp -s "$work/game/Data.dat" "$game/Data.dat" && break
  kill -0 "$pid" 2>/dev/null || break
  sleep 0.1
done
kill "$pid" 2>/dev/null || true
wait "$pid" || true
cmp "$work/game/Data.dat" "$game/Data.dat" || { echo "corvadine --developer did not write Data.dat from the tables"; exit 1; }
echo ok
