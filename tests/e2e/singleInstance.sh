#!/usr/bin/env bash
# A game started twice runs once: the second start ends at once with code 0
# while the first keeps running; a running configuration tool refuses the
# start with its warning.
set -euo pipefail
bin="$1"
game="$2"
work="$(mktemp -d)"
first=""
cleanup() {
  [ -n "$first" ] && kill "$first" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

# A game folder of its own, so saves and locks stay out of the shared one.
for entry in "$game"/*; do ln -s "$entry" "$work/"; done
rm -f "$work/Game.lock" "$work/Config.lock" "$work"/Save_*.dat
cd "$work"
export SDL_VIDEODRIVER="${SDL_VIDEODRIVER:-offscreen}" SDL_AUDIODRIVER="${SDL_AUDIODRIVER:-dummy}"

"$bin/corvadine" >first.log 2>&1 &
first=$!
# Wait until the first instance holds its lock.
for _ in $(seq 1 200); do
  if [ -e Game.lock ] && ! flock -n Game.lock true; then break; fi
  kill -0 "$first" 2>/dev/null || { cat first.log; echo "the first instance ended early"; exit 1; }
  sleep 0.05
done
! flock -n Game.lock true || { echo "the first instance never took its lock"; exit 1; }

start=$(date +%s%N)
timeout 20 "$bin/corvadine" >second.log 2>&1 || { echo "the second start failed ($?)"; exit 1; }
elapsed_ms=$(( ($(date +%s%N) - start) / 1000000 ))
echo "second start ended after ${elapsed_ms} ms"
[ "$elapsed_ms" -lt 10000 ] || { echo "the second start did not end at once"; exit 1; }
kill -0 "$first" || { echo "the first instance ended"; exit 1; }

# Closing the first ends it with the normal tear-down.
kill -TERM "$first"
status=0
wait "$first" || status=$?
first=""
[ "$status" = 0 ] || { cat first.log; echo "the first instance ended with $status"; exit 1; }

# The configuration tool holds its lock: the game refuses to start.
exec {toolfd}>Config.lock
flock -n "$toolfd"
status=0
timeout 20 "$bin/corvadine" >tool.log 2>&1 {toolfd}>&- || status=$?
exec {toolfd}>&-
cat tool.log
[ "$status" = 0 ] || { echo "refused start ended with $status"; exit 1; }
grep -q 'コンフィグの実行中には起動できません。' tool.log || { echo "no warning about the configuration tool"; exit 1; }
echo ok
