# shellcheck shell=bash
# Import beside other writers of a deck: it holds the deck's lock from its
# check to its rename as every writer does, a new deck is created only where
# no file of its name is at the moment of the rename, and an endless source
# is refused after the limit instead of filling the memory.

iw=$work/import; mkdir -p "$iw"
printf '4\tKoan Ice\r\n' >"$iw/old.txt"
printf '2 Bion Acolyte\n3 Koan Ice\n' >"$iw/list.txt"
q import --data "$D" "$iw/list.txt" -o "$iw/imported.txt" >/dev/null || fail "import: the plain import"
cp "$iw/imported.txt" "$iw/plus-one.txt"
q add --data "$D" "$iw/plus-one.txt" "Koan Ice" >/dev/null || fail "import: add to the import"

echo "-- import --force beside add"
for i in $(seq 1 100); do
  cp "$iw/old.txt" "$iw/deck.txt"
  "$cli" add --data "$D" "$iw/deck.txt" "Koan Ice" >/dev/null 2>&1 &
  adder=$!
  q import --data "$D" "$iw/list.txt" -o "$iw/deck.txt" --force >/dev/null ||
    fail "import round $i: the import failed"
  wait "$adder" || fail "import round $i: add failed"
  cmp -s "$iw/deck.txt" "$iw/imported.txt" || cmp -s "$iw/deck.txt" "$iw/plus-one.txt" ||
    fail "import round $i: neither the import nor the import plus one: $(tr '\r\n\t' '  :' <"$iw/deck.txt")"
done

echo "-- parallel imports to one new deck"
for n in $(seq 1 10); do printf '%d Koan Ice\n' "$n" >"$iw/list$n.txt"; done
for round in 1 2 3; do
  rm -f "$iw/new.txt"
  for n in $(seq 1 10); do
    (
      status=0
      "$cli" import --data "$D" "$iw/list$n.txt" -o "$iw/new.txt" >/dev/null 2>"$iw/err$n" || status=$?
      echo "$status" >"$iw/rc$n"
    ) &
  done
  wait
  won=0
  for n in $(seq 1 10); do
    case $(cat "$iw/rc$n") in
      0)
        won=$((won + 1))
        [ "$(cat "$iw/new.txt")" = "$(printf '%d\tKoan Ice\r' "$n")" ] ||
          fail "parallel imports $round: the deck is not the winner's list $n"
        ;;
      1)
        [ "$(cat "$iw/err$n")" = "'$iw/new.txt' exists; use --force to replace it." ] ||
          fail "parallel imports $round: import $n said: $(cat "$iw/err$n")"
        ;;
      *) fail "parallel imports $round: import $n ended with $(cat "$iw/rc$n")" ;;
    esac
  done
  [ "$won" -eq 1 ] || fail "parallel imports $round: $won imports wrote the deck"
done

echo "-- an endless source"
status=0
q import --data "$D" - -o "$iw/zero.txt" </dev/zero >/dev/null 2>"$iw/err" || status=$?
[ "$status" -eq 1 ] || fail "import of /dev/zero ended with $status"
[ "$(cat "$iw/err")" = "-: too large for a deck list (over 16 MB)" ] ||
  fail "import of /dev/zero said: $(cat "$iw/err")"
rm -f "$iw"/rc* "$iw"/err* "$iw"/list*.txt
only "$iw" old.txt imported.txt plus-one.txt deck.txt new.txt
