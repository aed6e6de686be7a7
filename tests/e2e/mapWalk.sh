#!/usr/bin/env bash
# Every built map walked with the field's own movement step from the story's
# arrival cells: each person, exit, trigger and chest of the map sources must
# be started by some walk (tools/mapc/MapWalk.h). Runs in the optimised build:
# the walk over all 130 maps is a few seconds of searching per town.
set -euo pipefail
bin="$1"
game="$2"
source="$(cd "$(dirname "$0")/../.." && pwd)"
"$bin/mapwalk" "$source" "$game"
