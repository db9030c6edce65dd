#!/usr/bin/env bash
# End-to-end check of the desktop program under a virtual X server, driven by
# xdotool as a user would: start without a database (dismiss the warning),
# build the database from samples/cards.txt through the updater, open a
# sample deck, double-click a figure, open the card reader on a listed card,
# step and search in it, look at the about box, and exit; then start three
# times in a row on one new settings folder, without and with a window
# manager (openbox), and compare the screens of the three starts.
#
# The executables are copied into a temporary folder first, so the data files
# land there and not in the build tree. Screenshots of every step go to
# $E2E_SHOTS (default: a temporary folder, printed at the end); with
# E2E_SAVE_DOCS=1 the reader, updater and about box shots also replace
# docs/screenshots/. Every wait has a timeout and every failed step names
# itself.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)

if [ -z "${E2E_INNER:-}" ]; then
  exec xvfb-run -a -s '-screen 0 1280x800x24 -noreset' env E2E_INNER=1 "$0" "$@"
fi

build=${E2E_BUILD:-build}
for exe in quillet quillet-cli; do
  [ -x "$build/$exe" ] || { echo "e2e: $build/$exe is not built" >&2; exit 1; }
done
work=$(mktemp -d)
shots=${E2E_SHOTS:-$work/shots}
mkdir -p "$shots"
cp "$build/quillet" "$build/quillet-cli" "$work/"
export QT_QPA_PLATFORM=xcb
# A configuration folder of its own: the run starts as a new user does, and
# the kept arrangement of the panels is checked at the end.
export XDG_CONFIG_HOME="$work/config"

app_pid=""
cleanup() {
  if [ -n "$app_pid" ] && kill -0 "$app_pid" 2>/dev/null; then kill "$app_pid" 2>/dev/null || true; fi
  [ -n "${E2E_SHOTS:-}" ] || echo "e2e: screenshots in $shots"
}
trap cleanup EXIT

fail() {
  echo "e2e: FAILED: $*" >&2
  import -window root "$shots/failure.png" 2>/dev/null || true
  echo "e2e: the screen at the failure: $shots/failure.png" >&2
  exit 1
}

step() { echo "e2e: $*"; }

# Prints the ids of the visible windows titled exactly $1.
windows_named() {
  xdotool search --onlyvisible --name "^$1\$" 2>/dev/null || true
}

# Waits until a visible window titled $1 exists that is not among the ids in
# $2 (optional), and prints its id.
wait_window() {
  local title=$1 except=${2:-} id
  for _ in $(seq 1 100); do
    for id in $(windows_named "$title"); do
      case " $except " in *" $id "*) ;; *) echo "$id"; return 0 ;; esac
    done
    sleep 0.1
  done
  return 1
}

wait_gone() {
  local id=$1
  for _ in $(seq 1 100); do
    xdotool search --onlyvisible --name '.' 2>/dev/null | grep -qx "$id" || return 0
    sleep 0.1
  done
  return 1
}

# Waits for a window to appear that was not there before ($1: ids before).
wait_new_window() {
  local before=$1 id
  for _ in $(seq 1 100); do
    for id in $(xdotool search --onlyvisible --name '.' 2>/dev/null); do
      case " $before " in *" $id "*) ;; *) echo "$id"; return 0 ;; esac
    done
    sleep 0.1
  done
  return 1
}

all_windows() { xdotool search --onlyvisible --name '.' 2>/dev/null | tr '\n' ' '; }

focus() { xdotool windowfocus --sync "$1" 2>/dev/null || xdotool windowfocus "$1"; sleep 0.2; }

shot() { import -window "$1" "$shots/$2.png"; }

# A checksum of a window's pixels, to see that a step changed something.
pixels() { import -window "$1" rgb:- 2>/dev/null | md5sum | cut -d' ' -f1; }
# The same for the reader's name box only, which focus changes leave alone.
name_pixels() { import -window "$1" -crop 216x21+70+20 rgb:- 2>/dev/null | md5sum | cut -d' ' -f1; }

# Waits until the window's pixels differ from $2.
wait_change() {
  local id=$1 before=$2
  for _ in $(seq 1 50); do
    [ "$(pixels "$id")" != "$before" ] && return 0
    sleep 0.1
  done
  return 1
}

click() {  # window x y [repeat]
  xdotool mousemove --window "$1" "$2" "$3" click --repeat "${4:-1}" --delay 120 1
  sleep 0.3
}

title="Orvane Deck Analyzer"

step "start without a database"
"$work/quillet" >"$work/quillet.log" 2>&1 &
app_pid=$!
warning=$(wait_window "$title") || fail "no start-up warning about the missing data file"
shot "$warning" 01-no-database
focus "$warning"
xdotool key Return
wait_gone "$warning" || fail "the start-up warning did not close with Enter"
master=$(wait_window "$title") || fail "the main window did not appear"
sleep 0.5
shot "$master" 02-main-window-empty
[ ! -e "$work/CardStat.Dat" ] || fail "a database exists before the update"

step "build the database through Tools > Update Card Data File"
focus "$master"
xdotool key alt+t
sleep 0.3
xdotool key u
updater=$(wait_window "Update Card Data File") || fail "the updater dialog did not open"
sleep 0.3
shot "$updater" 03-updater
focus "$updater"
xdotool key Return
picker=$(wait_window "Please Locate Cards.Txt") || fail "the card list file dialog did not open"
sleep 0.5
shot "$picker" 04-locate-cards
focus "$picker"
xdotool type --delay 20 "$root/samples/cards.txt"
xdotool key Return
done_box=$(wait_window "$title" "$master") || fail "no \"Card Data File Updated\" message"
shot "$done_box" 05-updated
focus "$done_box"
xdotool key Return
wait_gone "$updater" || fail "the updater did not close after the update"
[ -s "$work/CardStat.Dat" ] || fail "the update wrote no CardStat.Dat"
[ -s "$work/CardText.Dat" ] || fail "the update wrote no CardText.Dat"

step "open a sample deck"
focus "$master"
before=$(all_windows)
xdotool key alt+f
sleep 0.3
xdotool key o
opener=$(wait_new_window "$before") || fail "the deck file dialog did not open"
sleep 0.5
focus "$opener"
xdotool type --delay 20 "$root/samples/decks/monastery-bion.txt"
xdotool key Return
wait_gone "$opener" || fail "the deck file dialog did not close"
sleep 1
problem=$(windows_named "$title" | grep -vx "$master" || true)
[ -z "$problem" ] || { shot "$problem" 06-unexpected-message; fail "opening the sample deck showed a message (see 06-unexpected-message.png)"; }
shot "$master" 06-deck

# Window coordinates: without a window manager there is no frame, so the
# client area starts under the menu bar, whose height is what the window has
# beyond the 520 pixels of its client area at its least size, where it opens.
height=$(xdotool getwindowgeometry --shell "$master" | sed -n 's/^HEIGHT=//p')
menu=$((height - 520))
[ "$menu" -ge 0 ] && [ "$menu" -lt 60 ] || menu=22

step "double-click a figure"
before_px=$(pixels "$master")
click "$master" 108 $((menu + 32 + 143 + 10)) 2  # BaseAmount in the card types group
wait_change "$master" "$before_px" || fail "double-clicking the Bases figure changed nothing"
shot "$master" 07-bases-list

step "open the reader on a listed card"
click "$master" 600 $((menu + 214 + 8)) 2  # the first line of the card list, under its heading
reader=$(wait_window "Orvane Card Detail Reader") || fail "double-clicking a listed card did not open the reader"
sleep 0.5
shot "$reader" 08-reader
before_px=$(pixels "$reader")
click "$reader" 462 252  # Next
wait_change "$reader" "$before_px" || fail "Next did not change the card on display"
shot "$reader" 09-reader-next
before_px=$(pixels "$reader")
click "$reader" 428 312  # the search box
xdotool type --delay 20 "bion"
xdotool key Return
wait_change "$reader" "$before_px" || fail "searching for \"bion\" changed nothing"
sleep 0.3
nomatch=$(windows_named "$title" | grep -vx "$master" || true)
[ -z "$nomatch" ] || fail "searching for \"bion\" found no card"
shot "$reader" 10-reader-search
click "$reader" 428 224  # First
sleep 0.3
first_px=$(name_pixels "$reader")
click "$reader" 394 252  # Previous, on the first card
notice=$(wait_window "$title" "$master") || fail "Previous on the first card gave no notice"
focus "$notice"
xdotool key Return
wait_gone "$notice" || fail "the notice did not close with Enter"
sleep 0.5
again=$(windows_named "$title" | grep -vx "$master" || true)
[ -z "$again" ] || fail "closing the reader's notice brought up another message"
[ "$(name_pixels "$reader")" = "$first_px" ] || fail "closing the reader's notice changed the card on display"
click "$reader" 462 342  # Done
wait_gone "$reader" || fail "Done did not hide the reader"

step "panels: open them by their keys, pick a card in the Deck panel"
focus "$master"
before_px=$(pixels "$master")
xdotool key ctrl+shift+o  # Draw Odds, tabbed with the Deck panel
wait_change "$master" "$before_px" || fail "Ctrl+Shift+O did not show the Draw Odds panel"
sleep 0.3
shot "$master" 11-draw-odds-panel
before_px=$(pixels "$master")
xdotool key ctrl+b  # the browser, with the focus in its search box
wait_change "$master" "$before_px" || fail "Ctrl+B did not show the Card Browser panel"
xdotool type --delay 20 "cloister"
sleep 0.8
shot "$master" 12-browser-panel
before_px=$(pixels "$master")
xdotool key ctrl+shift+d  # back to the Deck panel; Down picks its first card
sleep 0.3
xdotool key Down Down
wait_change "$master" "$before_px" || fail "the Deck panel did not come forward with Ctrl+Shift+D"
sleep 0.5
shot "$master" 13-deck-and-card-panels
before_px=$(pixels "$master")
xdotool key ctrl+shift+c  # the Card panel has no focus yet: the key gives it the focus
sleep 0.2
xdotool key ctrl+shift+c  # now it closes
wait_change "$master" "$before_px" || fail "Ctrl+Shift+C twice did not close the Card panel"
shot "$master" 14-card-panel-closed

step "about box"
focus "$master"
xdotool key alt+h
sleep 0.3
xdotool key a
about=$(wait_window "About Quillet") || fail "the about box did not open"
sleep 0.3
shot "$about" 17-about
focus "$about"
xdotool key Return
wait_gone "$about" || fail "OK did not close the about box"

step "help"
focus "$master"
xdotool key F1
helpwin=$(wait_window "Quillet Help") || fail "F1 did not open the help window"
sleep 0.5
shot "$helpwin" 18-help

step "exit through File > Exit"
focus "$master"
xdotool key alt+f
sleep 0.3
xdotool key x
for _ in $(seq 1 50); do kill -0 "$app_pid" 2>/dev/null || break; sleep 0.1; done
if kill -0 "$app_pid" 2>/dev/null; then fail "the program did not end after File > Exit"; fi
wait "$app_pid" || fail "the program ended with an error (see $work/quillet.log)"
app_pid=""

step "the arrangement comes back at the next start, and View > Reset Layout restores the default"
[ -s "$XDG_CONFIG_HOME/quillet/panel-layout" ] || fail "no arrangement was kept at exit"
"$work/quillet" "$root/samples/decks/monastery-bion.txt" >"$work/quillet.log" 2>&1 &
app_pid=$!
master=$(wait_window "$title") || fail "the main window did not appear again"
sleep 1
shot "$master" 15-restarted
focus "$master"
before_px=$(pixels "$master")
xdotool key alt+v
sleep 0.3
xdotool key r
wait_change "$master" "$before_px" || fail "View > Reset Layout changed nothing after a restart with the Card panel closed"
sleep 0.3
shot "$master" 16-reset-layout
focus "$master"
xdotool key ctrl+q
for _ in $(seq 1 50); do kill -0 "$app_pid" 2>/dev/null || break; sleep 0.1; done
wait "$app_pid" || fail "the program ended with an error after the restart (see $work/quillet.log)"
app_pid=""

# Three starts in a row on one new settings folder, quitting at once, first
# without a window manager and then under openbox: the kept arrangement and
# the window's place must come back exactly, so the second and third starts
# look as the first.
three_starts() {
  local label=$1 run before=""
  export XDG_CONFIG_HOME="$work/config-$label"
  for run in 1 2 3; do
    "$work/quillet" "$root/samples/decks/monastery-bion.txt" >"$work/quillet.log" 2>&1 &
    app_pid=$!
    master=$(wait_window "$title") || fail "$label start $run: the main window did not appear"
    sleep 1.5
    import -window root "$shots/start-$label-$run.png"
    focus "$master"
    xdotool key ctrl+q
    for _ in $(seq 1 50); do kill -0 "$app_pid" 2>/dev/null || break; sleep 0.1; done
    wait "$app_pid" || fail "$label start $run: the program ended with an error"
    app_pid=""
    if [ -n "$before" ]; then
      local differ
      differ=$(compare -metric AE "$shots/start-$label-$before.png" "$shots/start-$label-$run.png" \
        null: 2>&1 || true)
      [ "$differ" = 0 ] || fail "$label: start $run differs from start $before in $differ pixels"
    fi
    before=$run
  done
}
step "three starts on one settings folder, without a window manager"
three_starts bare
if command -v openbox >/dev/null; then
  step "three starts on one settings folder, under openbox"
  openbox >/dev/null 2>&1 &
  wm_pid=$!
  sleep 1
  three_starts openbox
  kill "$wm_pid" 2>/dev/null || true
fi

if [ "${E2E_SAVE_DOCS:-}" = 1 ]; then
  cp "$shots/10-reader-search.png" "$root/docs/screenshots/reader.png"
  cp "$shots/03-updater.png" "$root/docs/screenshots/updater.png"
  cp "$shots/17-about.png" "$root/docs/screenshots/about.png"
fi
echo "e2e: all steps passed"
