#!/usr/bin/env bash
# The title as a player meets it, through the headless driver: the logo,
# the crawl skipped with decide, then Game Start and Prologue reaching the
# field through the fade-in, Continue and cancel, and F12 back to the title.
set -euo pipefail
bin="$1"
game="$2"
out="$(mktemp -d)"
trap 'rm -rf "$out"' EXIT

run() {  # run NAME FRAMES: the input in $out/NAME.in, the state in $out/NAME.txt
  "$bin/playtest" --frames "$2" --input "$out/$1.in" --state --workdir "$game" --clock 1700000000 \
    >"$out/$1.txt"
}
expect() {  # expect NAME KEY=VALUE
  grep -qx "$2" "$out/$1.txt" || { echo "$1: expected $2"; cat "$out/$1.txt"; exit 1; }
}

# The logo takes 350 frames; decide on 355 skips the crawl (the run's clock
# starts with the program, as a machine's uptime does); the menu opens on
# Continue.
cat >"$out/newgame.in" <<'IN'
355 356 decide
360 361 up      # Game Start
365 366 decide  # 31 frames of fade-in follow
IN
run newgame 420
expect newgame 'scene=0'
expect newgame 'map=22'

cat >"$out/prologue.in" <<'IN'
355 356 decide
360 361 down    # Prologue
365 366 decide
IN
run prologue 420
expect prologue 'scene=0'
expect prologue 'map=15'

cat >"$out/continue.in" <<'IN'
355 356 decide
365 366 decide  # Continue
370 371 cancel  # back to the menu
IN
run continue 380
expect continue 'scene=1001'

cat >"$out/f12.in" <<'IN'
355 356 decide
360 361 up
365 366 decide
410 411 f12     # back to the title: the logo is skipped
IN
run f12 415
expect f12 'scene=1001'
expect f12 'map=1'
echo ok
