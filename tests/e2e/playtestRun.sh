#!/usr/bin/env bash
# The headless driver runs the real game for 120 frames, prints its state
# and writes a 640 x 480 PNG of the last frame.
set -euo pipefail
bin="$1"
game="$2"
out="$(mktemp -d)"
trap 'rm -rf "$out"' EXIT

"$bin/playtest" --frames 120 --state --shot 60:"$out/mid.png" --shot 120:"$out/last.png" \
  --workdir "$game" --clock 1700000000 >"$out/state.txt"

cat "$out/state.txt"
grep -qx 'scene=1000' "$out/state.txt" || { echo "expected scene=1000"; exit 1; }
grep -qx 'frames=120' "$out/state.txt" || { echo "expected frames=120"; exit 1; }
for key in scene map event step money0 money1 money2 party levels hp story_flags player_row player_col song frames; do
  grep -q "^$key=" "$out/state.txt" || { echo "missing $key"; exit 1; }
done

for png in mid last; do
  f="$out/$png.png"
  [ -s "$f" ] || { echo "$f was not written"; exit 1; }
  # Signature, then IHDR's width and height.
  [ "$(head -c 8 "$f" | od -An -tx1 | tr -d ' \n')" = 89504e470d0a1a0a ] || { echo "$f is not a PNG"; exit 1; }
  size="$(dd if="$f" bs=1 skip=16 count=8 2>/dev/null | od -An -tx1 | tr -d ' \n')"
  [ "$size" = 00000280000001e0 ] || { echo "$f is not 640 x 480 ($size)"; exit 1; }
done

# The same run with the null device writes a picture too.
"$bin/playtest" --frames 3 --null-gfx --shot 3:"$out/null.png" --workdir "$game" >/dev/null
[ -s "$out/null.png" ] || { echo "null-device shot missing"; exit 1; }

# A shot past the last frame is an error, not silence.
if "$bin/playtest" --frames 2 --null-gfx --shot 5:"$out/late.png" --workdir "$game" 2>/dev/null; then
  echo "a shot that was never taken passed"; exit 1
fi
echo ok
