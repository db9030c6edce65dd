# Every write: the player's look-alike files stay, long names, ACLs and
# extended attributes, and the folder synced after each rename.

echo "-- files that only look like temporaries stay"
s=$work/looks; rm -rf "$s"; cp -r "$D" "$s"
for name in CardStat.Dat.backup CardText.Dat.old123 CardStat.Dat.2024v1 CardStat.Dat.partial-Ab3dE9; do
  echo mine >"$s/$name"
done
q build --data "$s" samples/cards.txt >/dev/null || fail "build beside look-alike files"
for name in CardStat.Dat.backup CardText.Dat.old123 CardStat.Dat.2024v1 CardStat.Dat.partial-Ab3dE9; do
  [ "$(cat "$s/$name" 2>/dev/null)" = mine ] || fail "build removed the player's $name"
done

echo "-- a deck name of 250 bytes"
long=$work/long; mkdir -p "$long"
name=$(printf 'd%.0s' $(seq 1 246)).txt
cp "$deck" "$long/$name"
q add --data "$D" "$long/$name" "$card" >/dev/null || fail "add on a 250-byte deck name"
only "$long" "$name"

echo "-- ACLs and extended attributes"
a=$work/acl; mkdir -p "$a"; cp "$deck" "$a/deck.txt"; chmod 0640 "$a/deck.txt"
if setfacl -m u:1001:rw "$a/deck.txt" 2>/dev/null && setfattr -n user.note -v kept "$a/deck.txt" 2>/dev/null; then
  before=$(getfacl -c "$a/deck.txt" 2>/dev/null)
  q add --data "$D" "$a/deck.txt" "$card" >/dev/null || fail "add on a deck with an ACL"
  [ "$(getfacl -c "$a/deck.txt" 2>/dev/null)" = "$before" ] || fail "the ACL changed: $(getfacl -c "$a/deck.txt" | tr '\n' ' ')"
  [ "$(getfattr --only-values -n user.note "$a/deck.txt" 2>/dev/null)" = kept ] || fail "an attribute was lost"
else
  echo "   (skipped: no ACLs or user attributes on this file system)"
fi

echo "-- the folder is synced after each rename"
y=$work/sync; mkdir -p "$y"; cp "$deck" "$y/deck.txt"
strace -f -o "$work/sync.log" -e trace=rename,renameat,renameat2,openat,fsync \
  "$cli" add --data "$D" "$y/deck.txt" "$card" >/dev/null || fail "add under strace"
python3 - "$work/sync.log" "$y" <<'PY' || fail "no folder sync after the deck's rename"
import re, sys
log = open(sys.argv[1]).read().splitlines()
folder = sys.argv[2].rstrip("/")
renamed = [i for i, l in enumerate(log) if re.search(r"rename(at2?)?\(.*deck\.txt", l) and "= 0" in l]
assert renamed, "no rename"
fds = {}
for l in log[renamed[-1]:]:
    m = re.search(r'openat\(AT_FDCWD, "([^"]*)", [^)]*O_DIRECTORY[^)]*\)\s*= (\d+)', l)
    if m and m.group(1).rstrip("/") == folder:
        fds[m.group(2)] = True
    m = re.search(r"fsync\((\d+)\)\s*= 0", l)
    if m and m.group(1) in fds:
        sys.exit(0)
sys.exit(1)
PY
