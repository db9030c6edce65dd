#!/usr/bin/env bash
# Replays, against the built quillet-cli, what unit tests cannot do from
# inside one process: failures injected into system calls with strace, the
# file size limit, kill -9 at random moments of deck edits and database
# builds, and parallel edits of one deck. After every case each file must
# hold its old or its new bytes, never anything else, and after the next
# successful write nothing but the file itself may be left in its folder.
#
#   tools/file_safety.sh [BUILD_DIR]   (default: build)
#
# KILLS (default 50) sets the number of kills per loop.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
cli="$root/${1:-build}/quillet-cli"
[ -x "$cli" ] || { echo "file_safety: $cli is not built" >&2; exit 1; }
kills=${KILLS:-50}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }
only() {  # only DIR NAME...: the folder holds exactly these names
  local dir=$1; shift
  local want have
  want=$(printf '%s\n' "$@" | sort)
  have=$(ls -A "$dir" | sort)
  [ "$want" = "$have" ] || fail "$dir holds: $(echo $have)"
}
q() { timeout 20 "$cli" "$@"; }

# The database every deck case uses, and a second card list that builds a
# different one, large enough for a kill to land inside the build.
D=$work/data
mkdir -p "$D"
q build --data "$D" samples/cards.txt >/dev/null
cp "$D/CardStat.Dat" "$work/old.stat"; cp "$D/CardText.Dat" "$work/old.text"
python3 - "$work/big-cards.txt" <<'PY'
import sys
lines = [l for l in open("samples/cards.txt", encoding="latin-1").read().splitlines() if l]
with open(sys.argv[1], "w", encoding="latin-1", newline="\r\n") as out:
    for i in range(100):
        for l in lines:
            name, rest = l.split("\t", 1)
            out.write(f"{name} {i:03d}\t{rest}\n")
PY
B=$work/bdata; mkdir -p "$B"
q build --data "$B" "$work/big-cards.txt" >/dev/null
cp "$B/CardStat.Dat" "$work/new.stat"; cp "$B/CardText.Dat" "$work/new.text"
rm -rf "$B"

deck=samples/decks/monastery-bion.txt
card="Bion Acolyte"

echo "-- special files, links, protection, owner"
w=$work/w; mkdir -p "$w"
mkfifo "$w/fifo.txt"
if q add --data "$D" "$w/fifo.txt" "$card" >/dev/null 2>"$w/err"; then fail "add on a FIFO succeeded"; fi
[ -p "$w/fifo.txt" ] || fail "the FIFO was replaced"
grep -q "fifo.txt" "$w/err" || fail "the FIFO's message does not name it: $(cat "$w/err")"
rm "$w/fifo.txt"
mkdir -p "$w/e"; cp "$deck" "$w/e/r.txt"; ln -s e/r.txt "$w/deck.txt"
q add --data "$D" "$w/deck.txt" "$card" >/dev/null || fail "add through a link failed"
[ -L "$w/deck.txt" ] || fail "the link was replaced"
cmp -s "$deck" "$w/e/r.txt" && fail "the link's target kept its old bytes"
ln -s e/gone.txt "$w/dangling.txt"
q add --data "$D" "$w/dangling.txt" "$card" >/dev/null 2>"$work/err" || true
grep -q "File not found" "$work/err" || fail "dangling link: $(cat "$work/err")"
rm -rf "$w"/*
cp "$deck" "$w/deck.txt"; chmod 0444 "$w/deck.txt"
if q add --data "$D" "$w/deck.txt" "$card" >/dev/null 2>&1; then fail "a 0444 deck was edited"; fi
cmp -s "$deck" "$w/deck.txt" || fail "a 0444 deck changed"
if [ "$(id -u)" -eq 0 ]; then
  chmod 0640 "$w/deck.txt"; chown nobody:nogroup "$w/deck.txt"
  q add --data "$D" "$w/deck.txt" "$card" >/dev/null || fail "root's edit failed"
  [ "$(stat -c %U:%G:%a "$w/deck.txt")" = "nobody:nogroup:640" ] ||
    fail "owner lost: $(stat -c %U:%G:%a "$w/deck.txt")"
  chown root:root "$w/deck.txt"; chmod 0644 "$w/deck.txt"; chmod 0777 "$w"
  cp -r "$D" "$work/ndata"; chmod -R a+rX "$work/ndata" "$work"
  if setpriv --reuid=nobody --regid=nogroup --clear-groups "$cli" add --data "$work/ndata" \
    "$w/deck.txt" "$card" >/dev/null 2>&1; then fail "nobody edited root's deck"; fi
  chmod 0755 "$w"
fi
only "$w" deck.txt

echo "-- file size limit"
rm -f "$w"/*
for i in $(seq 1 60000); do echo "1	$card"; done >"$w/deck.txt"
cp "$w/deck.txt" "$work/2mb.txt"
status=0; (ulimit -f 100; exec "$cli" add --data "$D" "$w/deck.txt" "$card" >/dev/null 2>"$work/err") || status=$?
[ "$status" -eq 1 ] || fail "ulimit -f: exit $status, not 1"
grep -q "Disk full" "$work/err" || fail "ulimit -f: $(cat "$work/err")"
cmp -s "$work/2mb.txt" "$w/deck.txt" || fail "ulimit -f changed the deck"
only "$w" deck.txt

echo "-- card lists that are not"
cp -r "$D" "$work/d2"
if q build --data "$work/d2" /dev/null >/dev/null 2>&1; then fail "build /dev/null succeeded"; fi
: >"$work/empty.txt"
q build --data "$work/d2" "$work/empty.txt" >/dev/null 2>"$work/err" || true
grep -q "holds no cards" "$work/err" || fail "empty list: $(cat "$work/err")"
head -c 100000 /dev/urandom >"$work/random.txt"
if q build --data "$work/d2" "$work/random.txt" >/dev/null 2>&1; then fail "random bytes built"; fi
cmp -s "$work/old.stat" "$work/d2/CardStat.Dat" && cmp -s "$work/old.text" "$work/d2/CardText.Dat" ||
  fail "a refused list changed the database"

pair() {  # pair DIR: old or new pair, or fail
  if cmp -s "$1/CardStat.Dat" "$work/old.stat" && cmp -s "$1/CardText.Dat" "$work/old.text"; then
    echo old
  elif cmp -s "$1/CardStat.Dat" "$work/new.stat" && cmp -s "$1/CardText.Dat" "$work/new.text"; then
    echo new
  else
    fail "$2: a mixed or broken pair"; echo mixed
  fi
}

echo "-- injected failures during a build"
for call in openat write fsync linkat rename unlink; do
  for when in 1 2 3 4; do
    rm -rf "$work/d2"; cp -r "$D" "$work/d2"
    strace -f -o /dev/null -e trace="$call" -e inject="$call:error=EIO:when=$when" \
      "$cli" build --data "$work/d2" "$work/big-cards.txt" >/dev/null 2>&1 || true
    q card --data "$work/d2" "$card" >/dev/null 2>&1 || true  # the next opener finishes
    pair "$work/d2" "$call#$when" >/dev/null
    q build --data "$work/d2" "$work/big-cards.txt" >/dev/null || fail "$call#$when: next build"
    only "$work/d2" CardStat.Dat CardText.Dat
  done
done
echo "-- read failures and unshowable bytes are named as what they are"
for when in 1 3; do  # the edit's own read, then the analysis's
  cp "$deck" "$w/deck.txt"
  strace -f -o /dev/null -P "$w/deck.txt" -e trace=read -e inject=read:error=EIO:when=$when \
    "$cli" add --data "$D" "$w/deck.txt" "$card" >/dev/null 2>"$work/err" || true
  grep -q "deck.txt: I/O error 5" "$work/err" || fail "read error #$when: $(cat "$work/err")"
  cmp -s "$deck" "$w/deck.txt" || fail "read error #$when changed the deck"
done
printf '1\0x\t%s\r\n' "$card" >"$w/deck.txt"
q add --data "$D" "$w/deck.txt" "$card" >/dev/null 2>"$work/err" || true
grep -qF "'1\x00x' is not a valid integer value" "$work/err" || fail "NUL in a deck: $(cat -v "$work/err")"

echo "-- $kills kills during deck edits"
cp "$work/2mb.txt" "$w/deck.txt"
q add --data "$D" "$w/deck.txt" "$card" >/dev/null
cp "$w/deck.txt" "$work/after.txt"
landed=0
for i in $(seq 1 "$kills"); do
  cp "$work/2mb.txt" "$w/deck.txt"
  "$cli" add --data "$D" "$w/deck.txt" "$card" >/dev/null 2>&1 &
  pid=$!
  sleep "0.$((RANDOM % 3))$((RANDOM % 10))"
  kill -9 "$pid" 2>/dev/null || true
  status=0; wait "$pid" 2>/dev/null || status=$?
  [ "$status" -eq 137 ] && landed=$((landed + 1))
  cmp -s "$w/deck.txt" "$work/2mb.txt" || cmp -s "$w/deck.txt" "$work/after.txt" ||
    fail "kill $i: the deck is neither old nor new"
done
echo "   $landed of $kills kills landed before the edit ended"
q add --data "$D" "$w/deck.txt" "$card" >/dev/null || fail "the edit after the kills"
only "$w" deck.txt

echo "-- $kills kills during builds"
rm -rf "$work/d2"; cp -r "$D" "$work/d2"
landed=0
for i in $(seq 1 "$kills"); do
  "$cli" build --data "$work/d2" "$work/big-cards.txt" >/dev/null 2>&1 &
  pid=$!
  sleep "0.$((RANDOM % 2))$((RANDOM % 10))"
  kill -9 "$pid" 2>/dev/null || true
  status=0; wait "$pid" 2>/dev/null || status=$?
  [ "$status" -eq 137 ] && landed=$((landed + 1))
  q card --data "$work/d2" "$card" >/dev/null 2>&1 || true
  [ "$(pair "$work/d2" "kill $i")" = new ] && cp "$work/old.stat" "$work/d2/CardStat.Dat" &&
    cp "$work/old.text" "$work/d2/CardText.Dat"
done
echo "   $landed of $kills kills landed before the build ended"
q build --data "$work/d2" "$work/big-cards.txt" >/dev/null || fail "the build after the kills"
only "$work/d2" CardStat.Dat CardText.Dat

echo "-- parallel edits"
printf '1\t%s\r\n' "$card" >"$w/deck.txt"
for n in 1 2; do
  (for i in $(seq 1 50); do "$cli" add --data "$D" "$w/deck.txt" "$card" >/dev/null; done) &
done
wait
head -n 1 "$w/deck.txt" | grep -q "^101	" || fail "parallel edits lost: $(head -n 1 "$w/deck.txt")"
only "$w" deck.txt

# Further cases, one file a subject; each may use $cli, $work, $D (the sample
# database), $deck, $card and the helpers above.
for part in tools/file_safety.d/*.sh; do
  [ -e "$part" ] || continue
  # shellcheck source=/dev/null
  . "$part"
done

[ "$failures" -eq 0 ] || { echo "file_safety: $failures failures" >&2; exit 1; }
echo "file_safety: all cases passed"
