#!/usr/bin/env bash
# The story played through on route 1; the checks are in playthroughRoute.bash.
route=1
source "$(dirname "$0")/playthroughRoute.bash"
