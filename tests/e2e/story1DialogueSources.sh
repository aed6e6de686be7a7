#!/usr/bin/env bash
# dialoguegen turns readable sources into the lines file and stops the build,
# naming the file and line, on a message that would not fit the window.
set -euo pipefail
bin="$1"
game="$2"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

# The built file is there and is what the sources make.
[ -s "$game/Data/Dialogue.dat" ] || { echo "Data/Dialogue.dat was not built"; exit 1; }
here="$(cd "$(dirname "$0")/../.." && pwd)"
"$bin/dialoguegen" "$here/content/dialogue" "$work/again.dat" >/dev/null
cmp -s "$work/again.dat" "$game/Data/Dialogue.dat" || { echo "the lines file is not reproducible"; exit 1; }

mkdir -p "$work/good" "$work/bad"
cat >"$work/good/a.txt" <<'TXT'
# a caption that begins with a bracket, an empty middle line
[x.1] 0 0 0
[Enter]キーで進みます。
\
おしまい。

[x.2] 1 0 0 シェリル
うん！
TXT
"$bin/dialoguegen" "$work/good" "$work/good.dat" | grep -q "2 messages" || { echo "good sources refused"; exit 1; }

check_refused() {  # name, expected words in the error, source text
  rm -f "$work/bad/"*.txt "$work/bad.dat"
  printf '%s\n' "$3" >"$work/bad/b.txt"
  if "$bin/dialoguegen" "$work/bad" "$work/bad.dat" 2>"$work/err.txt" >/dev/null; then
    echo "$1: accepted"; exit 1
  fi
  grep -q "$2" "$work/err.txt" || { echo "$1: unclear error:"; cat "$work/err.txt"; exit 1; }
  [ ! -e "$work/bad.dat" ] || { echo "$1: a file was written"; exit 1; }
}
check_refused "too wide" "b.txt:1: message \[w\]: line 1 takes 44 bytes" \
  "$(printf '[w] 1 0 0 シェリル\nあいうえおかきくけこさしすせそたちつてとなに')"
check_refused "four lines" "more than three lines" "$(printf '[f] 0 0 0\n一\n二\n三\n四')"
check_refused "twice" "defined twice" "$(printf '[d] 0 0 0\nはい\n\n[d] 0 0 0\nいいえ')"
check_refused "long speaker" "name box holds 29" "$(printf '[s] 0 0 0 とてもとてもながいなまえのひとです\nはい')"
check_refused "stray text" "outside a message" "ことば"
echo ok
