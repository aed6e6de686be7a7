#!/usr/bin/env bash
# The story played through on route 2; the checks are in playthroughRoute.bash.
route=2
source "$(dirname "$0")/playthroughRoute.bash"
