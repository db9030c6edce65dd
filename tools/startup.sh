#!/usr/bin/env bash
# Start-up of the desktop program beside a bare Qt main window, with and
# without Qt Charts linked. Under one Xvfb display the programs are started in
# turn, N rounds (default 30), each quitting as soon as its first window is
# shown (quillet through QUILLET_QUIT_AFTER_SHOW). quillet runs twice: with
# the default arrangement of panels (a fresh configuration folder) and with
# every panel closed (a configuration folder whose kept arrangement has none
# open, made first by closing both default panels with their keys). Prints the
# median wall time and the median CPU time (user + system, which a busy
# machine disturbs less) of each, and quillet's ratios to the bare window.
# quillet needs a card database in BUILD_DIR (quillet-cli build samples/cards.txt),
# or it stops at its message box.
# Usage: tools/startup.sh [BUILD_DIR] [N]
set -euo pipefail
build=$(cd "${1:-build}" && pwd)
runs=${2:-30}
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
mkdir -p "$tmp/default" "$tmp/none"
cat >"$tmp/run.sh" <<INNER
#!/usr/bin/env bash
# The arrangement with no panel open: each key first gives its panel the
# focus, then closes it; Ctrl+Q keeps the arrangement.
XDG_CONFIG_HOME="$tmp/none" "$build/quillet" >/dev/null 2>&1 &
for _ in \$(seq 100); do
  window=\$(xdotool search --onlyvisible --name 'Orvane Deck Analyzer' 2>/dev/null | head -1)
  [ -n "\$window" ] && break
  sleep 0.1
done
xdotool windowfocus --sync "\$window"; sleep 0.5
xdotool key ctrl+shift+d; sleep 0.3; xdotool key ctrl+shift+d; sleep 0.3
xdotool key ctrl+shift+c; sleep 0.3; xdotool key ctrl+shift+c; sleep 0.3
xdotool key ctrl+q; wait
export QUILLET_QUIT_AFTER_SHOW=1
quillet() { XDG_CONFIG_HOME="$tmp/\$1" "$build/quillet"; }
"$build/bare_window"; "$build/bare_window_charts"; quillet default  # warm the disk cache
for i in \$(seq $runs); do
  for kind in bare_window bare_window_charts; do
    /usr/bin/time -a -o "$tmp/\$kind" -f "%e %U %S" "$build/\$kind" >/dev/null 2>&1
  done
  for layout in none default; do
    XDG_CONFIG_HOME="$tmp/\$layout" /usr/bin/time -a -o "$tmp/quillet_\$layout" -f "%e %U %S" \
      "$build/quillet" >/dev/null 2>&1
  done
done
INNER
chmod +x "$tmp/run.sh"
env -u QT_QPA_PLATFORM xvfb-run -a -s '-screen 0 1280x800x24' "$tmp/run.sh" >/dev/null 2>&1
median() { sort -g | awk '{a[NR]=$1} END {print a[int((NR+1)/2)]}'; }
declare -A wall cpu
for kind in bare_window bare_window_charts quillet_none quillet_default; do
  wall[$kind]=$(awk '{print $1}' "$tmp/$kind" | median)
  cpu[$kind]=$(awk '{print $2 + $3}' "$tmp/$kind" | median)
  printf '%-20s wall %6.3f s   cpu %6.3f s   (median of %d)\n' "$kind" "${wall[$kind]}" \
    "${cpu[$kind]}" "$(wc -l <"$tmp/$kind")"
done
awk -v nw="${wall[quillet_none]}" -v dw="${wall[quillet_default]}" -v bw="${wall[bare_window]}" \
  -v nc="${cpu[quillet_none]}" -v dc="${cpu[quillet_default]}" -v bc="${cpu[bare_window]}" \
  -v cc="${cpu[bare_window_charts]}" 'BEGIN {
    printf "quillet, no panel open / bare window: wall %.2f, cpu %.2f\n", nw / bw, nc / bc
    printf "quillet, default panels / bare window: wall %.2f, cpu %.2f\n", dw / bw, dc / bc
    printf "bare window with Qt Charts linked / without: cpu %.2f\n", cc / bc }'
