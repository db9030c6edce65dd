# The card data pair and its journal: readers racing builds, renames that
# fail after the journal, stopped updates in folders the reader cannot
# change, moved folders, journals that are not ours, and the build's
# refusals. Sourced by tools/file_safety.sh.

echo "-- the data journal and the readers of the pair"
# A second database with the same cards and other texts: a text from neither
# is a record of one beside the texts of the other.
python3 - "$work/alt-cards.txt" <<'PY'
import sys
lines = [l for l in open("samples/cards.txt", encoding="latin-1").read().splitlines() if l]
with open(sys.argv[1], "w", encoding="latin-1", newline="\r\n") as out:
    for l in lines:
        f = l.split("\t")
        f[16] = "Other rules of " + f[0] + ". " + f[16]
        out.write("\t".join(f) + "\n")
PY
J=$work/journal; rm -rf "$J"; mkdir -p "$J"
cp -r "$D" "$J/old"
q build --data "$J/old" samples/cards.txt >/dev/null
cp -r "$J/old" "$J/alt"
q build --data "$J/alt" "$work/alt-cards.txt" >/dev/null
q card --data "$J/old" "$card" >"$J/old.out"
q card --data "$J/alt" "$card" >"$J/alt.out"
cmp -s "$J/old.out" "$J/alt.out" && fail "the two databases show the same card"
same_card() {  # same_card FILE: the old or the alternative card, whole
  cmp -s "$1" "$J/old.out" || cmp -s "$1" "$J/alt.out"
}

# Builds alternate between the two lists while the card is read again and
# again: every read shows one database's card. Each read pauses 20 ms before
# opening CardText.Dat, so that a build not kept out by the lock would often
# rename the pair between the reader's two opens.
cp -r "$J/old" "$J/race"
(
  end=$((SECONDS + 60))
  while [ "$SECONDS" -lt "$end" ]; do
    "$cli" build --data "$J/race" "$work/alt-cards.txt" >/dev/null 2>&1
    "$cli" build --data "$J/race" samples/cards.txt >/dev/null 2>&1
  done
) &
builder=$!
mixed=0
for i in $(seq 1 300); do
  timeout 20 strace -f -o /dev/null -P "$J/race/CardText.Dat" -e trace=openat \
    -e inject=openat:delay_enter=20000 "$cli" card --data "$J/race" "$card" >"$J/read.out" 2>&1 ||
    true
  same_card "$J/read.out" || mixed=$((mixed + 1))
done
kill "$builder" 2>/dev/null || true
wait "$builder" 2>/dev/null || true
[ "$mixed" -eq 0 ] || fail "$mixed of 300 reads racing builds showed a card of neither database"

# A data file's rename fails after the journal was written: the build says
# so, and the next program that opens the folder finishes the new pair.
for when in 2 3; do  # rename 1 commits the journal, 2 and 3 are the data files
  rm -rf "$J/full"; cp -r "$J/old" "$J/full"
  status=0
  strace -f -o /dev/null -e trace=rename -e inject=rename:error=ENOSPC:when=$when \
    "$cli" build --data "$J/full" "$work/alt-cards.txt" >/dev/null 2>"$work/err" || status=$?
  [ "$status" -eq 1 ] || fail "full disk at rename $when: exit $status"
  grep -qxF "$J/full: Disk full; the new card data will be finished by the next program that opens this folder." \
    "$work/err" || fail "full disk at rename $when: $(cat "$work/err")"
  q card --data "$J/full" "$card" >"$J/read.out" 2>&1 || true
  cmp -s "$J/read.out" "$J/alt.out" || fail "full disk at rename $when: not finished: $(cat "$J/read.out")"
done

# A stopped update (CardStat.Dat renamed, CardText.Dat not) in a folder the
# reader may not change: refused, never read mixed.
halfway() {  # halfway DIR: the alternative build stopped between its renames
  rm -rf "$1"; cp -r "$J/old" "$1"
  strace -f -o /dev/null -e trace=rename -e inject=rename:error=EIO:when=3 \
    "$cli" build --data "$1" "$work/alt-cards.txt" >/dev/null 2>&1 || true
  [ -f "$1/CardData.journal" ] || fail "$1: no journal left to test with"
}
if [ "$(id -u)" -eq 0 ]; then
  halfway "$J/ro"
  chmod 0755 "$J/ro"; chmod a+rX "$J" "$work"
  status=0
  setpriv --reuid=nobody --regid=nogroup --clear-groups "$cli" card --data "$J/ro" "$card" \
    >"$J/read.out" 2>"$work/err" || status=$?
  [ "$status" -eq 1 ] || fail "half updated, read by nobody: exit $status: $(cat "$J/read.out")"
  grep -qxF "The card data in $J/ro is half updated; open it once with write access to finish the update." \
    "$work/err" || fail "half updated, read by nobody: $(cat "$work/err")"
  q card --data "$J/ro" "$card" >"$J/read.out" 2>&1 || true
  cmp -s "$J/read.out" "$J/alt.out" || fail "half updated: root did not finish it"
fi

# A folder moved or copied with its journal is finished where it now is.
for how in mv cp; do
  halfway "$J/from"
  rm -rf "$J/to"
  if [ "$how" = mv ]; then mv "$J/from" "$J/to"; else cp -a "$J/from" "$J/to"; fi
  q card --data "$J/to" "$card" >"$J/read.out" 2>&1 || true
  cmp -s "$J/read.out" "$J/alt.out" || fail "$how of a half-updated folder: $(cat "$J/read.out")"
  only "$J/to" CardStat.Dat CardText.Dat
done

# A journal naming another folder's files changes nothing there.
rm -rf "$J/a"; cp -r "$J/old" "$J/a"
for target in "$J/old/CardText.Dat" "../old/CardText.Dat"; do
  printf 'quillet data update 1\nremove\t%s\n' "$target" >"$J/a/CardData.journal"
  q card --data "$J/a" "$card" >/dev/null 2>&1 || true
  [ -f "$J/old/CardText.Dat" ] || { fail "a journal in one folder removed $target"; break; }
done

# Anything else at the journal's name is moved aside, said once, and never
# waited for.
for kind in garbage crlf big fifo folder zero; do
  rm -rf "$J/f"; cp -r "$J/old" "$J/f"
  case $kind in
    garbage) echo "not a journal" >"$J/f/CardData.journal" ;;
    crlf) printf 'quillet data update 1\r\nremove\tCardText.Dat\r\n' >"$J/f/CardData.journal" ;;
    big) head -c 5000 /dev/zero | tr '\0' '\n' >"$J/f/CardData.journal" ;;
    fifo) mkfifo "$J/f/CardData.journal" ;;
    folder) mkdir "$J/f/CardData.journal" ;;
    zero) ln -s /dev/zero "$J/f/CardData.journal" ;;
  esac
  for command in "card $card" "build samples/cards.txt"; do
    # shellcheck disable=SC2086
    timeout 10 "$cli" ${command%% *} --data "$J/f" "${command#* }" >/dev/null 2>"$work/err" ||
      fail "$kind journal: $command failed or waited: $(cat "$work/err")"
  done
  aside=$(ls -A "$J/f" | grep '^CardData\.journal\.foreign-' || true)
  [ "$(echo "$aside" | wc -w)" -eq 1 ] || fail "$kind journal: moved aside as '$aside'"
  [ -e "$J/f/CardData.journal" ] && fail "$kind journal: still in place"
done

# The build's refusals name the data file; a folder named like a temporary
# file does not stand in any build's way.
rm -rf "$J/r"; cp -r "$J/old" "$J/r"
chmod 0444 "$J/r/CardText.Dat"
q build --data "$J/r" samples/cards.txt >/dev/null 2>"$work/err" && fail "a 0444 CardText.Dat was replaced"
grep -qxF "$J/r/CardText.Dat: File access denied" "$work/err" || fail "0444 CardText.Dat: $(cat "$work/err")"
chmod 0644 "$J/r/CardText.Dat"; mv "$J/r/CardText.Dat" "$J/text"
ln -s "$J/gone" "$J/r/CardText.Dat"
q build --data "$J/r" samples/cards.txt >/dev/null 2>"$work/err" && fail "a dangling CardText.Dat link was built"
grep -qxF "$J/r/CardText.Dat: File not found" "$work/err" || fail "dangling CardText.Dat: $(cat "$work/err")"
rm "$J/r/CardText.Dat"; mv "$J/text" "$J/r/CardText.Dat"
for name in CardStat.Dat CardText.Dat; do
  tag=$(python3 -c 'import sys
h = 2166136261
for c in sys.argv[1].encode(): h = ((h ^ c) * 16777619) & 0xffffffff
print("%08x" % h)' "$name")
  mkdir "$J/r/.quillet-partial-$tag-Ab3dE9xy"
done
q build --data "$J/r" samples/cards.txt >/dev/null 2>"$work/err" ||
  fail "folders named like temporaries blocked a build: $(cat "$work/err")"
for bad in samples/decks/monastery-bion.txt README.md; do
  q build --data "$J/r" "$bad" >/dev/null 2>"$work/err" && fail "$bad was built"
  grep -qxF "'$bad' is not a card list: no line holds the 16 fields of a card." "$work/err" ||
    fail "$bad: $(cat "$work/err")"
done
q card --data "$J/r" "$card" >"$J/read.out" 2>&1 || true
cmp -s "$J/read.out" "$J/old.out" || fail "a refused build changed the database"
rm -rf "$J"
