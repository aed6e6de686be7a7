#!/usr/bin/env bash
# The counters of Marksen's central district and electronic district, reached
# as a player reaches them: from a new game, the whole-game player's keys up
# to where the party first walks free in the central district (after the
# briefing), and on to the electronic district after the card boy's meeting;
# then a walk by the field's own step (mapwalk --route) to each counter named
# at the end, each in a replay of its own, and the counter's event must
# start. No --map anywhere: the cells, the flags and the set-ups are the
# story's own.
set -euo pipefail
bin="$1"
game="$2"
source="$(cd "$(dirname "$0")/../.." && pwd)"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
clock=1700000000

# The route's head up to the briefing, and the same walked on to the
# electronic district.
sed -n '1,/^arrive 1 12:5/p' "$bin/playthrough-route.txt" > "$work/central.goals"
grep -q '^arrive 1 12:5' "$work/central.goals" || { echo "the route no longer ends a goal at the briefing"; exit 1; }
cp "$work/central.goals" "$work/electronic.goals"
cat >> "$work/electronic.goals" <<'EOF'
walk 1 40 the way to the sea district
walk 2 0 the way to the electronic district
arrive 0 101:2 the electronic district, after the card boy
EOF

# A game folder of its own for a run that may save; the pictures and songs
# (Res) are only read, and shared.
copyGame() {
    mkdir "$1"
    local entry
    for entry in "$game"/*; do
        if [ "$(basename "$entry")" = Res ]; then ln -s "$(cd "$entry" && pwd)" "$1/Res"
        else cp -r "$entry" "$1/"
        fi
    done
}

play() {
    local name="$1"
    copyGame "$work/$name-game"
    "$bin/playthrough" --route 1 --workdir "$work/$name-game" --out "$work/$name.keys" --clock "$clock" \
        --null-gfx --frames 300000 --goals "$work/$name.goals" > "$work/$name.log" 2>&1 ||
        { echo "playthrough to the $name district failed:"; tail -20 "$work/$name.log"; return 1; }
}
value() { sed -n "s/^$2=//p" "$work/$1.log" | tail -1; }

# One counter: the keys to the free field, a short wait, the walk, then the
# state a second and a half after the walk's last key.
counter() {
    local name="$1" map="$2" slot="$3" what="$4"
    local at row col flags
    at=$(value "$name" frames)
    row=$(value "$name" player_row)
    col=$(value "$name" player_col)
    flags=$(value "$name" story_flags | tr ':' '=')
    "$bin/mapwalk" --route "$map,$row,$col,$slot" --from $((at + 30)) ${flags:+--flags "$flags"} "$source" "$game" \
        > "$work/walk-$map-$slot.keys" || { echo "no walk to $what (map $map slot $slot)"; return 1; }
    local last
    last=$(awk '$1 ~ /^[0-9]+$/ { last = $2 } END { print last }' "$work/walk-$map-$slot.keys")
    [ -n "$last" ] || { echo "an empty walk to $what"; return 1; }
    cat "$work/$name.keys" "$work/walk-$map-$slot.keys" > "$work/to-$map-$slot.keys"
    copyGame "$work/game-$map-$slot"
    "$bin/playtest" --null-gfx --frames $((last + 90)) --input "$work/to-$map-$slot.keys" --clock "$clock" \
        --workdir "$work/game-$map-$slot" --state > "$work/state-$map-$slot.txt" 2>&1
    local got_map got_event
    got_map=$(sed -n 's/^map=//p' "$work/state-$map-$slot.txt")
    got_event=$(sed -n 's/^event=//p' "$work/state-$map-$slot.txt")
    if [ "$got_map" != "$map" ] || [ "$got_event" != "$((slot + 1))" ]; then
        echo "$what (map $map slot $slot): walked to it, but map=$got_map event=$got_event"
        return 1
    fi
    echo "$what: event $got_event started"
}

# Each district's counters, once its keys are played; every counter in a
# replay of its own.
district() {
    local name="$1"
    shift
    play "$name" || return 1
    local pids=() failed=0
    while [ $# -gt 0 ]; do
        counter "$name" "$1" "$2" "$3" &
        pids+=($!)
        shift 3
    done
    for pid in "${pids[@]}"; do wait "$pid" || failed=1; done
    return "$failed"
}

district central \
    1 44 "the weapon shop's counter" \
    1 62 "the item shop's counter" \
    1 45 "the service centre's window" \
    1 46 "the bar's window" &
central=$!
district electronic \
    0 24 "the tournament desk" \
    0 8 "the arcade's first machine" &
electronic=$!
failed=0
wait "$central" || failed=1
wait "$electronic" || failed=1
exit "$failed"
