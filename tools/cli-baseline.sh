#!/usr/bin/env bash
# Every output of quillet-cli against a stored baseline, byte for byte.
#
#   tools/cli-baseline.sh BUILD_DIR check    # compare, exit 1 on any difference
#   tools/cli-baseline.sh BUILD_DIR record   # write tests/cli/baseline/ anew
#
# A fixed list of invocations of BUILD_DIR/quillet-cli runs over the sample
# decks and the deck-shaped fuzz corpora, against a database built from
# samples/cards.txt into a temporary data folder. Each case keeps its command
# line, exit code, standard output, standard error and, for the commands that
# write a deck, the deck's bytes, in one file of tests/cli/baseline/. The bytes
# are stored escaped as `sed -n l` shows them (octal for anything not
# printable ASCII, `$` at each line's end, a marker for a missing last
# newline), so a baseline file is plain text that a review can read, and the
# escaping loses no byte. Everything runs inside the temporary folder with
# relative paths, and that folder's path is replaced by @TMP@ in case a
# message makes a path absolute, so the baseline is the same on any machine.
# A change meant to change an output records the baseline anew; the diff of
# tests/cli/baseline/ then shows the change in review.
set -euo pipefail
shopt -s extglob

usage() {
  echo "usage: $0 BUILD_DIR check|record" >&2
  exit 2
}
[ $# -eq 2 ] || usage
case "$2" in check | record) ;; *) usage ;; esac
mode=$2
root=$(cd "$(dirname "$0")/.." && pwd)
cli=$(cd "$1" && pwd)/quillet-cli
[ -x "$cli" ] || { echo "cli-baseline: $cli not found" >&2; exit 2; }
baseline=$root/tests/cli/baseline

tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
# The environment may not reach the outputs: the data folder rule reads
# these, and messages may depend on the locale.
unset QUILLET_DATA_DIR XDG_DATA_HOME XDG_CONFIG_HOME
export HOME=$tmp/home LC_ALL=C.UTF-8 TZ=UTC
mkdir -p "$tmp/home" "$tmp/decks" "$tmp/edit" "$tmp/out"
cd "$tmp"
cp "$root/samples/cards.txt" cards.txt

# The decks, each under a short relative name that also names its cases.
decks=()
for f in "$root"/samples/decks/*.txt; do
  cp "$f" "decks/$(basename "$f")"
  decks+=("decks/$(basename "$f")")
done
for corpus in deck_analysis deck_edit deck_list_import deck_names deck_report; do
  mkdir -p "$corpus"
  for f in "$root/fuzz/corpus/$corpus"/*; do
    cp "$f" "$corpus/$(basename "$f")"
    decks+=("$corpus/$(basename "$f")")
  done
done

declare -A seen_case=()
count=0
mkdir raw
: >raw/cases

# run [STDIN=FILE] [FILES="F..."] [NODATA=1] ARG... : one case. quillet-cli
# gets ARG... and then --data data (unless NODATA); FILES are kept too. Only
# the raw bytes are kept here, in raw/N.*, and raw/cases lists the cases;
# escaping and comparing happen in one pass at the end, since a process
# started per case for that would take most of the time.
run() {
  local name group
  name="$*"
  name=${name//[^A-Za-z0-9.+=:-]/_}
  name=${name//+(_)/_}
  name=${name:0:120}
  [ -n "$name" ] || name=no-arguments
  group=${1:-}
  case "$group" in -* | '') group=top ;; esac
  if [ -n "${seen_case[$group/$name]:-}" ]; then
    echo "cli-baseline: two cases are named $group/$name" >&2
    exit 2
  fi
  seen_case[$group/$name]=1
  count=$((count + 1))

  local args=()
  [ $# -eq 0 ] || args=("$@")
  [ -n "${NODATA:-}" ] || args+=(--data data)
  local rc=0
  "$cli" "${args[@]}" <"${STDIN:-/dev/null}" >"raw/$count.out" 2>"raw/$count.err" || rc=$?

  {
    printf '$ quillet-cli'
    printf ' %q' "${args[@]}"
    [ -z "${STDIN:-}" ] || printf ' < %q' "$STDIN"
    printf '\nexit %s\n' "$rc"
  } >"raw/$count.head"
  local f k=0 files=()
  for f in ${FILES:-}; do
    k=$((k + 1))
    files+=("$f")
    [ ! -e "$f" ] || cp "$f" "raw/$count.file$k"
  done
  printf '%s\t%s\t%s\n' "$count" "$group/$name" "${files[*]}" >>raw/cases
}

# A fresh copy of a deck for a command that writes it: edit/FOLDER-NAME.
fresh() {
  cp -f "$1" "edit/${1//\//-}"
}

# --- build: first the database every other case reads
run build cards.txt
NODATA=1 run build cards.txt --data data-notext --no-text
for fix in DHQ Holo Biker Bull Jones Rook; do
  NODATA=1 run build cards.txt --data "data-nofix-$fix" --no-fix "$fix"
done
NODATA=1 run card "Bion HQ" --data data-notext
NODATA=1 run analyze decks/monastery-bion.txt --data data-nofix-Bull --json
NODATA=1 run build missing-cards.txt --data data-missing
NODATA=1 run build decks/not-a-deck.txt --data data-bad
run build cards.txt --no-fix Nobody
run build

# --- without a database
NODATA=1 run analyze decks/monastery-bion.txt --data empty-data
NODATA=1 run analyze decks/monastery-bion.txt --data empty-data --json
NODATA=1 run card "Bion HQ" --data empty-data
NODATA=1 run check decks/monastery-bion.txt --data empty-data
NODATA=1 run search bion --data empty-data

# --- help and version
NODATA=1 run --help
# The version line changes with a release, which records the baseline anew.
NODATA=1 run --version --data data
NODATA=1 run
for command in build analyze list card odds hand diff check search add remove fields names import export; do
  NODATA=1 run "$command" --help
done

# --- fields
run fields
run fields --json
# `fields` pads the name with spaces to its caption.
mapfile -t fields < <("$cli" fields --data data | sed 's/ .*//')
[ "${#fields[@]}" -gt 10 ] || { echo "cli-baseline: 'fields' printed ${#fields[@]} fields" >&2; exit 1; }

# --- analyze, every format and switch
costs=("All cards" Assets Enhancements Interventions Programs)
for deck in "${decks[@]}"; do
  run analyze "$deck"
  run analyze "$deck" --json
  run analyze "$deck" --format markdown
  run analyze "$deck" --format html
  run analyze "$deck" --assets-only
  for cost in "${costs[@]}"; do
    run analyze "$deck" --cost "$cost"
  done
  run analyze "$deck" --assets-only --cost Programs --json
done
run analyze decks/monastery-bion.txt --format text
run analyze decks/monastery-bion.txt --format json
run analyze decks/monastery-bion.txt --format markdown --assets-only --cost Assets
run analyze decks/monastery-bion.txt --format html --assets-only --cost Interventions
run analyze missing-deck.txt
run analyze missing-deck.txt --json

# --- list: every field on three decks, one field on every deck
for deck in decks/monastery-bion.txt decks/un-golani.txt deck_analysis/hq_deck.txt; do
  for field in "${fields[@]}" DName HQType; do
    run list "$deck" "$field"
  done
done
for deck in "${decks[@]}"; do
  run list "$deck" AssetAmount --json
done
run list decks/monastery-bion.txt AssetAmount --assets-only
run list decks/monastery-bion.txt MonasAmount --assets-only --json
run list decks/fus-illegal.txt TotalAmount --cost Assets

# --- card
for name in "Bion HQ" "Koan Ice" "Air Strike" "Ambush Team" "Arell Cartel HQ"; do
  run card "$name"
  run card "$name" --json
done
run card --find bion
run card --find bion --json
run card --find zzz
run card "koan ice"
run card "Koan Ic" --json
run card Zzyzx

# --- odds
for deck in "${decks[@]}"; do
  run odds "$deck" AssetAmount
  run odds "$deck" --card "Koan Ice" --seen 10 --json
  run odds "$deck" --goal 1:AssetAmount --goal 1:BaseAmount
done
run odds decks/monastery-bion.txt BaseAmount --json
run odds decks/monastery-bion.txt MonasAmount --assets-only --seen 12
run odds decks/monastery-bion.txt TotalAmount --cost Assets
run odds decks/monastery-bion.txt --card "Bion HQ"
run odds decks/monastery-bion.txt --card "Koan Ic"
run odds decks/topdeck-heavy.txt --goal 2:BaseAmount --goal "1:card=Koan Ice" --seen 11 --json
run odds decks/topdeck-heavy.txt --goal 1:AssetAmount --goal 1:BaseAmount --goal 1:MonasAmount --goal "1:card=Ambush Team"

# --- hand, with fixed seeds only
for deck in "${decks[@]}"; do
  run hand "$deck" --seed 42
  run hand "$deck" --seed 7 --draw 3 --json
  run hand "$deck" --goal 1:AssetAmount --goal 1:BaseAmount --trials 50 --seed 42
done
run hand decks/topdeck-heavy.txt --seed 0
run hand decks/topdeck-heavy.txt --seed 4294967295 --draw 12
run hand decks/monastery-bion.txt --goal 2:BaseAmount --goal "1:card=Koan Ice" --trials 200 --seed 1 --draw 2 --json
run hand decks/monastery-bion.txt --goal 1:MonasAmount --assets-only --trials 100 --seed 9

# --- diff
for deck in "${decks[@]}"; do
  run diff decks/monastery-bion.txt "$deck"
done
run diff decks/monastery-bion.txt decks/monastery-bion-v2.txt --json
run diff decks/monastery-bion.txt decks/monastery-bion-v2.txt --assets-only --cost Assets
run diff decks/un-golani.txt decks/fus-illegal.txt --json
run diff decks/not-a-deck.txt decks/monastery-bion.txt --json

# --- check, names, export
for deck in "${decks[@]}"; do
  run check "$deck"
  run check "$deck" --json
  run check "$deck" --strict
  run names "$deck"
  run names "$deck" --json
  run export "$deck"
done

# --- search
run search
run search bion
run search séance
run search BION --json
run search contract --in-text --type Asset
run search --domain "Inner Circle" --keyword Topdeck --json
run search --rarity R
run search --type Intervention --domain Undercity
run search zzzz --json
run search ice --in-text --keyword Direct

# --- import: every deck as a source, into a fresh folder
for deck in "${decks[@]}"; do
  rm -f out/deck.txt
  FILES=out/deck.txt run import "$deck" -o out/deck.txt
done
rm -rf out && mkdir out
FILES=out/deck.txt run import deck_list_import/forms.txt -o out/deck.txt --json
FILES=out/deck.txt run import deck_list_import/utf8.txt -o out/deck.txt --json
FILES=out/deck.txt run import deck_list_import/utf8.txt -o out/deck.txt --force
rm -rf out && mkdir out
STDIN=deck_list_import/forms.txt FILES=out/stdin.txt run import - -o out/stdin.txt
FILES=out/none.txt run import missing-list.txt -o out/none.txt
rm -rf out && mkdir out

# --- add and remove, each on a fresh copy of the deck
for deck in "${decks[@]}"; do
  copy=edit/${deck//\//-}
  fresh "$deck"
  FILES=$copy run add "$copy" "Koan Ice" --count 2
  fresh "$deck"
  FILES=$copy run remove "$copy" "Bion Acolyte"
  fresh "$deck"
  FILES=$copy run add "$copy" "Air Strike"
done
fresh decks/monastery-bion.txt
FILES=edit/decks-monastery-bion.txt run remove edit/decks-monastery-bion.txt "Koan Ice" --count 5
fresh decks/monastery-bion.txt
FILES=edit/decks-monastery-bion.txt run remove edit/decks-monastery-bion.txt "Air Strike"
fresh decks/monastery-bion.txt
FILES=edit/decks-monastery-bion.txt run add edit/decks-monastery-bion.txt "Koan Ic"
fresh decks/monastery-bion.txt
FILES=edit/decks-monastery-bion.txt run add edit/decks-monastery-bion.txt "Bion Acolyte" --count 2147483647
run add edit/missing.txt "Koan Ice"

# --- wrong command lines: exit 2 and the message
run nosuchcommand
run analyze
run analyze decks/monastery-bion.txt --foo
run analyze decks/monastery-bion.txt extra
run analyze decks/monastery-bion.txt --cost Nothing
run analyze decks/monastery-bion.txt --format pdf
run analyze decks/monastery-bion.txt --format markdown --json
run analyze ""
run list decks/monastery-bion.txt
run list decks/monastery-bion.txt Assets
run list decks/monastery-bion.txt assetamount
run card
run card "Bion HQ" --find bion
run odds decks/monastery-bion.txt
run odds decks/monastery-bion.txt AssetAmount --card "Koan Ice"
run odds decks/monastery-bion.txt AssetAmount --goal 1:BaseAmount
run odds decks/monastery-bion.txt --goal 9:BaseAmount
run odds decks/monastery-bion.txt --goal 0:BaseAmount
run odds decks/monastery-bion.txt --goal BaseAmount
run odds decks/monastery-bion.txt --goal 1:Nothing
run odds decks/monastery-bion.txt --goal 1:A --goal 1:B --goal 1:C --goal 1:D --goal 1:E
run odds decks/monastery-bion.txt AssetAmount --seen -1
run odds decks/monastery-bion.txt AssetAmount --seen 0x10
run hand decks/monastery-bion.txt --seed 1 --draw -1
run hand decks/monastery-bion.txt --seed abc
run hand decks/monastery-bion.txt --goal 1:AssetAmount --seed 1
run hand decks/monastery-bion.txt --trials 10 --seed 1
run hand decks/monastery-bion.txt --goal 1:AssetAmount --trials 0 --seed 1
run hand decks/monastery-bion.txt --goal 1:AssetAmount --trials 10000001 --seed 1
run diff decks/monastery-bion.txt
run search --type Nothing
run search --domain nowhere --json
run add edit/x.txt
run add edit/x.txt "Koan Ice" --count 0
run add edit/x.txt "Koan Ice" --count 010x
run remove edit/x.txt "Koan Ice" --count 2147483648
run names decks/monastery-bion.txt extra
run import decks/monastery-bion.txt
run export
run export decks/monastery-bion.txt --json
run fields extra
run build cards.txt --no-fix Nobody --no-text extra
NODATA=1 run --data
NODATA=1 run fields --data
run fields --data data-twice

# --- what an existing deck file does to import
cp decks/monastery-bion.txt out/exists.txt
FILES=out/exists.txt run import deck_list_import/forms.txt -o out/exists.txt

if [ "$mode" = record ]; then
  rm -rf "$baseline"
  mkdir -p "$baseline"
fi

# Every case's record: the head, then the bytes escaped as `sed -n l` shows
# them (every line ending in `$`, octal for what is not printable ASCII) and a
# marker line for a missing last newline, so the escaping is one to one.
# Record writes them; check compares them with the stored ones.
TMP=$tmp MODE=$mode BASELINE=$baseline perl -e '
use strict;
my ($tmp, $mode, $baseline) = @ENV{qw(TMP MODE BASELINE)};
my %named = ("\a" => "\\a", "\b" => "\\b", "\f" => "\\f", "\r" => "\\r", "\t" => "\\t",
             "\x0b" => "\\v", "\\" => "\\\\");
sub slurp { my ($f) = @_; open(my $h, "<:raw", $f) or return undef; local $/; my $b = <$h>; close $h; return $b // ""; }
sub show {
  my ($bytes) = @_;
  return "" if $bytes eq "";
  my $open = substr($bytes, -1) ne "\n";
  my $body = $open ? $bytes : substr($bytes, 0, -1);
  my @lines = $body eq "" ? ("") : split(/\n/, $body, -1);
  my $text = "";
  for my $line (@lines) {
    $line =~ s/([\\\x00-\x1f\x7f-\xff])/$named{$1} \/\/ sprintf("\\%03o", ord $1)/ge;
    $text .= "$line\$\n";
  }
  $text .= "\\ no newline at end\n" if $open;
  return $text;
}
my ($count, $differ, %run) = (0, 0);
open(my $cases, "<", "raw/cases") or die;
while (my $entry = <$cases>) {
  chomp $entry;
  my ($n, $name, $files) = split /\t/, $entry, 3;
  my $record = slurp("raw/$n.head") . "--- stdout\n" . show(slurp("raw/$n.out"))
             . "--- stderr\n" . show(slurp("raw/$n.err"));
  my $k = 0;
  for my $f (split / /, $files) {
    $k++;
    my $bytes = slurp("raw/$n.file$k");
    $record .= defined $bytes ? "--- file $f\n" . show($bytes) : "--- file $f: absent\n";
  }
  $record =~ s/\Q$tmp\E/\@TMP\@/g;
  $count++;
  $run{"$name.txt"} = 1;
  my $stored = "$baseline/$name.txt";
  if ($mode eq "record") {
    (my $dir = $stored) =~ s{/[^/]*\z}{};
    mkdir $dir;
    open(my $out, ">:raw", $stored) or die "$stored: $!";
    print $out $record;
    close $out or die "$stored: $!";
    next;
  }
  my $old = slurp($stored);
  if (!defined $old) {
    print "cli-baseline: $name: no stored output (record the baseline)\n";
    $differ++;
  } elsif ($old ne $record) {
    print "cli-baseline: $name differs:\n";
    open(my $out, ">:raw", "actual.txt") or die;
    print $out $record;
    close $out;
    my @diff = split /\n/, `diff -u "$stored" actual.txt`;
    splice(@diff, 0, 2);
    print "    $_\n" for @diff[0 .. ($#diff < 11 ? $#diff : 11)];
    $differ++;
  }
}
if ($mode eq "record") {
  print "cli-baseline: $count cases recorded in tests/cli/baseline/\n";
  exit 0;
}
# A stored case that no longer runs is a difference too.
opendir(my $groups, $baseline) or die "$baseline: $!";
my @stored;
for my $group (grep { !/\A\./ } readdir $groups) {
  opendir(my $files, "$baseline/$group") or next;
  push @stored, map { "$group/$_" } grep { /\.txt\z/ } readdir $files;
}
for my $name (sort @stored) {
  next if $run{$name};
  $name =~ s/\.txt\z//;
  print "cli-baseline: $name: stored but no longer run\n";
  $differ++;
}
if ($differ) {
  print "cli-baseline: $differ of $count cases differ\n";
  exit 1;
}
print "cli-baseline: $count cases identical\n";
'
