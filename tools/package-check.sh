#!/usr/bin/env bash
# Builds the Debian package from the release build in build/ and checks it as
# a user would meet it: lintian finds no error, the desktop entry and the
# AppStream metadata pass their validators, and the packaged quillet-cli,
# run by an unprivileged user from a program folder they cannot write to,
# builds its database from the packaged sample list into
# $XDG_DATA_HOME/quillet/ and analyses a packaged deck.
set -euo pipefail
cd "$(dirname "$0")/.."

[ -x build/quillet-cli ] && [ -x build/quillet ] || {
  echo "package-check: build/ holds no release build (cmake --preset release && cmake --build --preset release)" >&2
  exit 1
}

fail() { echo "package-check: FAILED: $*" >&2; exit 1; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

echo "-- cpack"
rm -f build/quillet_*.deb
(cd build && cpack -G DEB >"$work/cpack.log" 2>&1) || { cat "$work/cpack.log"; fail "cpack"; }
version=$(sed -n 's/^project(Quillet VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
deb="build/quillet_${version}_amd64.deb"
[ -f "$deb" ] || { ls build/*.deb 2>/dev/null; fail "cpack made no $deb"; }
dpkg-deb --field "$deb" Package Version Depends
# The newest changelog entry must be the version the package carries.
changelog=$(sed -n '1s/^quillet (\([^)]*\)).*/\1/p' packaging/changelog)
[ "$changelog" = "$version" ] || fail "packaging/changelog starts at $changelog, the project is $version"

echo "-- lintian"
# Errors fail the check; warnings are printed for the reader.
lint=0
lintian --fail-on error --display-level '>=warning' "$deb" >"$work/lintian.log" 2>&1 || lint=$?
grep -v 'running with root privileges' "$work/lintian.log" || true
[ "$lint" -eq 0 ] || fail "lintian found errors"

echo "-- extract"
root="$work/root"
mkdir -p "$root"
dpkg-deb -x "$deb" "$root"
# mktemp made the folders private to root; the user must reach the files.
chmod 755 "$work" "$root"
app_id=org.example.Quillet
desktop-file-validate "$root/usr/share/applications/$app_id.desktop" || fail "desktop-file-validate"
appstreamcli validate --no-net "$root/usr/share/metainfo/$app_id.metainfo.xml" || fail "appstreamcli validate"

echo "-- run as an unprivileged user"
home="$work/home"
mkdir -p "$home"
chown nobody:nogroup "$home"
as_user() {
  if [ "$(id -u)" -eq 0 ]; then
    setpriv --reuid=nobody --regid=nogroup --clear-groups -- \
      env -i PATH=/usr/bin:/bin HOME="$home" XDG_DATA_HOME="$home/.local/share" LC_ALL=C.UTF-8 "$@"
  else
    # Not root: the caller is the unprivileged user already.
    env -i PATH=/usr/bin:/bin HOME="$home" XDG_DATA_HOME="$home/.local/share" LC_ALL=C.UTF-8 "$@"
  fi
}
if [ "$(id -u)" -eq 0 ]; then
  ! as_user test -w "$root/usr/bin" || fail "the packaged program folder is writable by the test user"
  [ "$(as_user id -un)" = nobody ] || fail "the check does not run as nobody"
fi
cli="$root/usr/bin/quillet-cli"
as_user "$cli" build "$root/usr/share/quillet/cards.txt" || fail "quillet-cli build from the packaged sample list"
data="$home/.local/share/quillet"
for f in CardStat.Dat CardText.Dat; do
  [ -s "$data/$f" ] || fail "the build wrote no $data/$f"
done
[ ! -e "$root/usr/bin/CardStat.Dat" ] || fail "the build wrote into the program folder"
as_user "$cli" analyze "$root/usr/share/quillet/decks/monastery-bion.txt" >"$work/analysis.txt" \
  || fail "quillet-cli analyze of a packaged deck"
grep -q '^HQ Type: Bion HQ' "$work/analysis.txt" || { cat "$work/analysis.txt"; fail "the analysis is not the deck's"; }
echo "package-check: $deb is good"
