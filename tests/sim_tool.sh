#!/usr/bin/env bash
# grainpit-sim: golden runs checked byte for byte, and bad input refused
# with one line on stderr, no field on stdout and exit status 2.
set -u
sim=("$@")  # the tool, after an emulator (Wine) if it needs one
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d); trap 'rm -rf "$work"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

# Golden runs: tests/golden/NAME-SEED-SWEEPS.txt is the field after SWEEPS
# sweeps of tests/scenes/NAME.txt with the source seeded with SEED.
for golden in "$here"/golden/*.txt; do
  IFS=- read -r name seed sweeps <<<"$(basename "$golden" .txt)"
  if ! "${sim[@]}" --seed "$seed" --sweeps "$sweeps" "$here/scenes/$name.txt" >"$work/out" 2>"$work/err"; then
    fail "$name: exit status $?: $(cat "$work/err")"
  elif ! cmp -s "$work/out" "$golden"; then
    fail "$name: the field differs from $golden"
  fi
done

# The same run through standard input, with CRLF line ends and no final
# newline, gives the same field.
first=$(ls "$here"/golden/*.txt | head -n 1)
IFS=- read -r name seed sweeps <<<"$(basename "$first" .txt)"
sed 's/$/\r/' "$here/scenes/$name.txt" | head -c -1 | "${sim[@]}" --seed "$seed" --sweeps "$sweeps" - >"$work/out" 2>&1
cmp -s "$work/out" "$first" || fail "CRLF scene from standard input differs"

# Scenes for the table: n empty lines, and an empty field with line n
# replaced by the given text.
dots() { printf '%*s' "$1" '' | tr ' ' .; }
lines() { for _ in $(seq "$1"); do dots 64; echo; done; }
spoil() { lines 64 | awk -v n="$1" -v s="$2" 'NR == n { print s; next } { print }'; }
lines 64 >"$work/good.txt"
mkdir "$work/adir"

# description | arguments | scene on stdin (a command) | what stderr must say
# (Windows reports reading a directory as a denied access.)
while IFS='|' read -r what args scene expected; do
  [ -z "$what" ] && continue
  eval "$scene" >"$work/in"
  eval "set -- $args"
  "${sim[@]}" "$@" <"$work/in" >"$work/out" 2>"$work/err"
  status=$?
  if [ "$status" -ne 2 ]; then fail "$what: exit status $status, expected 2"; continue; fi
  [ -s "$work/out" ] && fail "$what: printed a field"
  [ "$(wc -l <"$work/err")" -eq 1 ] || fail "$what: stderr is not one line: $(cat "$work/err")"
  grep -q -- "$expected" "$work/err" || fail "$what: stderr lacks '$expected': $(cat "$work/err")"
done <<'CASES'
short line|--seed 1 --sweeps 1|spoil 5 "$(dots 63)"|line 5, column 64
long line|--seed 1 --sweeps 1|spoil 5 "$(dots 65)"|line 5, column 65
63 lines|--seed 1 --sweeps 1|lines 63|line 64
65 lines|--seed 1 --sweeps 1|lines 65|line 65
unknown character|--seed 1 --sweeps 1|spoil 3 "$(dots 9)x$(dots 54)"|line 3, column 10: unknown character 'x'
empty scene|--seed 1 --sweeps 1|true|line 1
missing --seed|--sweeps 1|lines 64|--seed is missing
non-numeric --seed|--seed abc --sweeps 1|lines 64|--seed must be
--seed without value|--sweeps 1 --seed|lines 64|--seed needs a value
seed out of range|--seed 4294967296 --sweeps 1|lines 64|--seed must be
missing --sweeps|--seed 1|lines 64|--sweeps is missing
negative --sweeps|--seed 1 --sweeps -1|lines 64|--sweeps must be
non-numeric --sweeps|--seed 1 --sweeps 10x|lines 64|--sweeps must be
unknown option|--seed 1 --sweeps 1 --fast|lines 64|unknown option --fast
empty --png|--seed 1 --sweeps 1 --png ""|lines 64|--png needs a file name
endless input|--seed 1 --sweeps 1 /dev/zero|true|line 1, column 1: unknown character 0x00
missing file|--seed 1 --sweeps 1 "$work/nothere.txt"|true|cannot read .*nothere.txt: No such file
directory|--seed 1 --sweeps 1 "$work/adir"|true|cannot read .*adir: \(Is a directory\|Permission denied\)
CASES

# Asking for help is not a mistake: the usage goes to stdout, exit status 0.
for flag in --help -h; do
  "${sim[@]}" "$flag" >"$work/out" 2>"$work/err" || fail "$flag: exit status $?"
  grep -q '^usage: grainpit-sim --seed N --sweeps K' "$work/out" || fail "$flag: no usage on stdout"
  [ -s "$work/err" ] && fail "$flag: wrote to stderr"
done

# A good run writes the PNG it was asked for.
"${sim[@]}" --seed 1 --sweeps 2 --png "$work/f.png" "$work/good.txt" >/dev/null || fail "good run failed"
[ "$(head -c 8 "$work/f.png" | od -An -tx1 | tr -d ' ')" = 89504e470d0a1a0a ] || fail "no PNG written"

if [ "$failures" -ne 0 ]; then echo "$failures failed"; exit 1; fi
echo "grainpit-sim: all checks passed"
