# Standard output that cannot be written fails the run with its cause, for
# every command and for --help and --version: a script must not take a
# truncated list or an empty report for the whole.
echo "-- standard output on a full disk"
for args in "export $deck" "--help" "--version" "export --help"; do
  # shellcheck disable=SC2086
  status=0; q $args >/dev/full 2>"$work/err" || status=$?
  [ "$status" -eq 1 ] || fail "$args >/dev/full: exit $status"
  grep -qx "Standard output: Disk full" "$work/err" || fail "$args >/dev/full: $(cat "$work/err")"
done
small=$work/small
mkdir -p "$small"
if mount -t tmpfs -o size=64k tmpfs "$small" 2>/dev/null; then
  python3 - "$work/big-deck.txt" <<'PY'
import sys
with open(sys.argv[1], "w", newline="\r\n") as out:  # about 960 KB, every name its own line
    for i in range(64000):
        out.write(f"1\tCard {i:06d}\n")
PY
  status=0; q export "$work/big-deck.txt" >"$small/list.txt" 2>"$work/err" || status=$?
  [ "$status" -eq 1 ] || fail "export into 64 KB: exit $status"
  grep -qx "Standard output: Disk full" "$work/err" || fail "export into 64 KB: $(cat "$work/err")"
  rm -f "$small/list.txt"
  head -c 65536 /dev/zero >"$small/filler" 2>/dev/null || true  # not one byte more fits
  status=0
  q analyze --data "$D" "$deck" --format html >"$small/report.html" 2>"$work/err" ||
    status=$?
  [ "$status" -eq 1 ] || fail "analyze --format html into a full disk: exit $status"
  grep -qx "Standard output: Disk full" "$work/err" ||
    fail "analyze --format html into a full disk: $(cat "$work/err")"
  umount "$small"
else
  echo "   (no tmpfs mount here: the small file system cases are skipped)"
fi
