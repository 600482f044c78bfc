#!/usr/bin/env bash
# Figures of the program with the curve window open on the simulated unit (demo mode):
# CPU share of one core while the live point moves, and resident memory.
#
#   bench/curve_window_figures.sh [path/to/korvo-tci] [monitor-seconds]
#
# Uses the X display in DISPLAY, else starts a private Xvfb, else falls back to the
# offscreen platform. Targets: < 1.5 % of one core, < 90 MB.
set -euo pipefail

exe=${1:-build/app/korvo-tci}
seconds=${2:-20}
[[ -x $exe ]] || { echo "no executable at $exe (give its path)" >&2; exit 1; }

xvfb_pid=
cleanup() { [[ -n $xvfb_pid ]] && kill "$xvfb_pid" 2>/dev/null || true; }
trap cleanup EXIT

platform=$([[ -n ${DISPLAY:-} ]] && echo "X display $DISPLAY" || echo "")
if [[ -z ${DISPLAY:-} ]] && command -v Xvfb >/dev/null; then
    for n in $(seq 121 150); do
        [[ -e /tmp/.X$n-lock ]] && continue
        Xvfb ":$n" -screen 0 1600x1024x24 >/dev/null 2>&1 &
        xvfb_pid=$!
        for _ in $(seq 50); do [[ -e /tmp/.X11-unix/X$n ]] && break; sleep 0.05; done
        export DISPLAY=":$n"
        platform="Xvfb :$n"
        break
    done
fi
if [[ -z ${DISPLAY:-} ]]; then
    export QT_QPA_PLATFORM=offscreen
    platform="offscreen"
fi
export XDG_RUNTIME_DIR=${XDG_RUNTIME_DIR:-$(mktemp -d)}
chmod 700 "$XDG_RUNTIME_DIR"

echo "korvo-tci with the curve window ($platform, $(nproc) cores)"

hz=$(getconf CLK_TCK)
"$exe" --demo --curve-window --quit-after-ms=$(( (seconds + 4) * 1000 )) >/dev/null &
pid=$!
sleep 2
cpu() { awk '{ print $14 + $15 }' "/proc/$pid/stat"; }
c0=$(cpu); w0=$(date +%s%N)
sleep "$seconds"
c1=$(cpu); w1=$(date +%s%N)
rss=$(awk '/^VmRSS/ { print $2 }' "/proc/$pid/status")
hwm=$(awk '/^VmHWM/ { print $2 }' "/proc/$pid/status")
wait "$pid" || true
awk -v c=$((c1 - c0)) -v hz="$hz" -v ns=$((w1 - w0)) \
    'BEGIN { printf "curve window, monitoring %.1f s: CPU %.2f %% of one core (target < 1.5 %%)\n", ns / 1e9, 100 * c / hz / (ns / 1e9) }'
awk -v rss="$rss" -v hwm="$hwm" \
    'BEGIN { printf "resident memory: %.1f MB now, %.1f MB peak (target < 90 MB)\n", rss / 1024, hwm / 1024 }'
