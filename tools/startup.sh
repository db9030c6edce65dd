#!/usr/bin/env bash
# Start-up of the desktop program beside a bare Qt main window, with and
# without Qt Charts linked. Under one Xvfb display the three programs are
# started in turn, N rounds (default 30), each quitting as soon as its first
# window is shown (quillet through QUILLET_QUIT_AFTER_SHOW). Prints the median
# wall time and the median CPU time (user + system, which a busy machine
# disturbs less) of each, and quillet's ratios to the bare window.
# quillet needs a card database in BUILD_DIR (quillet-cli build samples/cards.txt),
# or it stops at its message box.
# Usage: tools/startup.sh [BUILD_DIR] [N]
set -euo pipefail
build=$(cd "${1:-build}" && pwd)
runs=${2:-30}
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
cat >"$tmp/run.sh" <<INNER
#!/usr/bin/env bash
export QUILLET_QUIT_AFTER_SHOW=1
"$build/bare_window"; "$build/bare_window_charts"; "$build/quillet"  # warm the disk cache
for i in \$(seq $runs); do
  for kind in bare_window bare_window_charts quillet; do
    /usr/bin/time -a -o "$tmp/\$kind" -f "%e %U %S" "$build/\$kind" >/dev/null 2>&1
  done
done
INNER
chmod +x "$tmp/run.sh"
env -u QT_QPA_PLATFORM xvfb-run -a -s '-screen 0 1280x800x24' "$tmp/run.sh" >/dev/null 2>&1
median() { sort -g | awk '{a[NR]=$1} END {print a[int((NR+1)/2)]}'; }
declare -A wall cpu
for kind in bare_window bare_window_charts quillet; do
  wall[$kind]=$(awk '{print $1}' "$tmp/$kind" | median)
  cpu[$kind]=$(awk '{print $2 + $3}' "$tmp/$kind" | median)
  printf '%-20s wall %6.3f s   cpu %6.3f s   (median of %d)\n' "$kind" "${wall[$kind]}" \
    "${cpu[$kind]}" "$(wc -l <"$tmp/$kind")"
done
awk -v qw="${wall[quillet]}" -v bw="${wall[bare_window]}" -v qc="${cpu[quillet]}" \
  -v bc="${cpu[bare_window]}" -v cc="${cpu[bare_window_charts]}" 'BEGIN {
    printf "quillet / bare window: wall %.2f, cpu %.2f\n", qw / bw, qc / bc
    printf "bare window with Qt Charts linked / without: cpu %.2f\n", cc / bc }'
