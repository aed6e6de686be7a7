#!/usr/bin/env bash
# A title song our MIDI scan takes but the synthesiser's player cannot play
# (128 well-formed tracks: it loads with nothing to play, and the player's own
# endless loop would spin on it inside one audio block). The real game, on
# SDL's dummy audio device, plays the title and the intro silent, says so in
# one line, and ends normally: the audio thread never hangs the stop.
set -euo pipefail
bin="$1"
game="$2"
out="$(mktemp -d)"
trap 'rm -rf "$out"' EXIT

# The game folder as links, the title song a real file of our own.
cp -as "$(cd "$game" && pwd)" "$out/game"
rm "$out/game/Res/Midi_300.mid"
{
  printf 'MThd\0\0\0\6\0\1\0\200\1\340'              # format 1, 128 tracks, 480 a beat
  printf 'MTrk\0\0\0\15\0\220\74\144\203\140\200\74\0\0\377\57\0'  # a beat of middle C
  for _ in $(seq 127); do printf 'MTrk\0\0\0\4\0\377\57\0'; done     # end of track only
} >"$out/game/Res/Midi_300.mid"

status=0
SDL_AUDIODRIVER=dummy timeout -s KILL 120 "$bin/playtest" --workdir "$out/game" --frames 400 --null-gfx --state \
  >"$out/state.txt" 2>"$out/stderr.txt" || status=$?
cat "$out/stderr.txt"
[ "$status" = 0 ] || { echo "playtest ended with $status (137: killed, the stop hung)"; exit 1; }
grep -qx 'frames=400' "$out/state.txt" || { echo "the run did not reach its last frame"; exit 1; }
[ "$(wc -l <"$out/stderr.txt")" = 1 ] || { echo "expected one line about the song, not $(wc -l <"$out/stderr.txt")"; exit 1; }
grep -q 'cannot play this song' "$out/stderr.txt" || { echo "the refusal was not reported"; exit 1; }
echo "the damaged title song was refused in one line and the game ended normally"
