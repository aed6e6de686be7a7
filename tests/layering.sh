#!/usr/bin/env bash
# The house rules over the includes and the link, checked on the sources:
#  - engine/ includes only engine/ and platform/ (a higher service comes in
#    as a hook the programs set);
#  - field/ includes nothing from events/: the events drive the field's state
#    (field/EventState.h), and the field calls the event engine only through
#    field/FieldEventHooks.h, which events/ defines;
#  - no weak definition outside tests/: a real definition missing from the
#    build must fail the link, not be replaced silently.
# Usage: layering.sh [source folder]
set -u
root="${1:-$(cd "$(dirname "$0")/.." && pwd)}"
cd "$root" || exit 2
failed=0

complain() {
    echo "layering: $1" >&2
    failed=1
}

# A quoted include of another folder of the game: "folder/File.h".
includes_outside() {
    local folder="$1" allowed="$2"
    grep -rnE --include='*.cpp' --include='*.h' '^[[:space:]]*#[[:space:]]*include[[:space:]]*"[A-Za-z]+/' "$folder" |
        grep -vE "#[[:space:]]*include[[:space:]]*\"($allowed)/"
}

while IFS= read -r line; do
    [ -n "$line" ] && complain "engine/ reaches above itself: $line"
done < <(includes_outside engine 'engine|platform')

while IFS= read -r line; do
    [ -n "$line" ] && complain "field/ reaches into events/ (use field/FieldEventHooks.h): $line"
done < <(grep -rnE --include='*.cpp' --include='*.h' '^[[:space:]]*#[[:space:]]*include[[:space:]]*"events/' field)

while IFS= read -r line; do
    [ -n "$line" ] && complain "a weak definition outside tests/: $line"
done < <(for folder in platform engine gamedata field events menus battle story minigames programs tools bench fuzz; do
    [ -d "$folder" ] && grep -rnE --include='*.cpp' --include='*.h' \
        '__attribute__[[:space:]]*\(\([[:space:]]*weak|\[\[[[:space:]]*gnu::weak|#[[:space:]]*pragma[[:space:]]+weak' "$folder"
done)

if [ "$failed" -ne 0 ]; then
    echo "layering: see engine/README.md, field/README.md and the root README's folder rules" >&2
    exit 1
fi
echo "layering: engine/ stands on platform/ alone; field/ includes nothing of events/; no weak definitions"
