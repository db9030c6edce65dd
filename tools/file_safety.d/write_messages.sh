# A refused write names its cause as the system gives it, whichever command
# writes: a full disk, a folder we may not write in, a special file. Only a
# deck the reader refuses is "not a valid deck file".
echo "-- the causes of refused writes"
m=$work/messages
mkdir -p "$m"
chmod 0755 "$m"
fixable() { printf '1\tbion acolyte\r\n' >"$1"; }  # one sure fix for names --apply

fixable "$m/deck.txt"
strace -f -o /dev/null -e trace=write -e inject=write:error=ENOSPC:when=1 \
  "$cli" names --apply --data "$D" "$m/deck.txt" >/dev/null 2>"$work/err" || true
grep -qx "$m/deck.txt: Disk full" "$work/err" || fail "names --apply, full disk: $(cat "$work/err")"
grep -q "bion acolyte" "$m/deck.txt" || fail "names --apply on a full disk changed the deck"
only "$m" deck.txt

if [ "$(id -u)" -eq 0 ]; then
  cp -r "$D" "$work/mdata"; chmod -R a+rX "$work/mdata"
  chmod 0666 "$m/deck.txt"
  if setpriv --reuid=nobody --regid=nogroup --clear-groups "$cli" names --apply \
    --data "$work/mdata" "$m/deck.txt" >/dev/null 2>"$work/err"; then
    fail "names --apply wrote in a folder nobody may write in"
  fi
  grep -qx "$m/deck.txt: File access denied" "$work/err" ||
    fail "names --apply, read-only folder: $(cat "$work/err")"
  grep -q "bion acolyte" "$m/deck.txt" || fail "names --apply changed a deck in a read-only folder"
fi
rm -f "$m/deck.txt"

mkfifo "$m/fifo.txt"  # refused by names --apply as add refuses it
q add --data "$D" "$m/fifo.txt" "$card" >/dev/null 2>"$work/add-err" || true
grep -q "^$m/fifo.txt: " "$work/add-err" || fail "add on a FIFO: $(cat "$work/add-err")"
status=0; q names --apply --data "$D" "$m/fifo.txt" >/dev/null 2>"$work/err" || status=$?
[ "$status" -eq 1 ] || fail "names --apply on a FIFO: exit $status"
cmp -s "$work/err" "$work/add-err" || fail "names --apply on a FIFO: $(cat "$work/err")"
[ -p "$m/fifo.txt" ] || fail "names --apply replaced the FIFO"
rm "$m/fifo.txt"

python3 -c "import socket, sys; socket.socket(socket.AF_UNIX).bind(sys.argv[1])" "$m/sock.txt"
q add --data "$D" "$m/sock.txt" "$card" >/dev/null 2>"$work/err" || true
grep -qx "$m/sock.txt: not a regular file" "$work/err" || fail "add on a socket: $(cat "$work/err")"
[ -S "$m/sock.txt" ] || fail "add replaced the socket"
rm "$m/sock.txt"

ln -s loop.txt "$m/loop.txt"
q add --data "$D" "$m/loop.txt" "$card" >/dev/null 2>"$work/err" || true
grep -qx "$m/loop.txt: too many levels of symbolic links" "$work/err" ||
  fail "add on a link loop: $(cat "$work/err")"
rm "$m/loop.txt"
