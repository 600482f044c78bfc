#!/usr/bin/env bash
# Figures of the program with the curve window open on the simulated unit (demo mode):
# CPU share of one core while the live point moves, and resident memory.
#
#   bench/curve_window_figures.sh [path/to/korvo-tci] [monitor-seconds]
#
# Uses the X display in DISPLAY, else starts a private Xvfb, else falls back to the
# offscreen platform. Targets: < 1.5 % of one core, < 90 MB.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/process_figures.sh"

exe=${1:-build/app/korvo-tci}
seconds=${2:-20}
[[ -x $exe ]] || { echo "no executable at $exe (give its path)" >&2; exit 1; }

cleanup() { [[ -n $xvfb_pid ]] && kill "$xvfb_pid" 2>/dev/null || true; }
trap cleanup EXIT

start_display 121 150 1600x1024x24
export XDG_RUNTIME_DIR=${XDG_RUNTIME_DIR:-$(mktemp -d)}
chmod 700 "$XDG_RUNTIME_DIR"

echo "korvo-tci with the curve window ($platform, $(nproc) cores)"

"$exe" --demo --curve-window --quit-after-ms=$(( (seconds + 4) * 1000 )) >/dev/null &
pid=$!
sleep 2
sample_process "$pid" "$seconds"
wait "$pid" || true
printf "curve window, monitoring %s s: CPU %s %% of one core (target < 1.5 %%)\n" "$span_seconds" "$cpu_percent"
printf "resident memory: %s MB now, %s MB peak (target < 90 MB)\n" "$rss_mb" "$hwm_mb"
