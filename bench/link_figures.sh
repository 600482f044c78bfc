#!/usr/bin/env bash
# Figures of the unit link over a pseudo-terminal, with korvo-unit-sim as the unit:
#   - the window's monitor request cadence, as the unit sees it (target 330 ms +- 5,
#     median over the span);
#   - the window's whole tick while monitoring: CPU time per tick, system calls included,
#     and the system calls of a tick;
#   - F9 to the last accepted answer of a programming, presses at random moments
#     (the read of the unit's set for its backup included: 5 ticks for every press);
#   - the window's resident memory while the unit floods it with frames.
#
#   bench/link_figures.sh [seconds (60)] [presses (20)] [build folder (build)]
#
# Nothing of the user's is touched: the window runs with a settings folder of its own.
set -euo pipefail

seconds=${1:-60}
presses=${2:-20}
build=${3:-build}
exe=$build/app/korvo-tci
sim=$build/tools/korvo-unit-sim
f9=$build/bench/bench_link_pty
for x in "$exe" "$sim" "$f9"; do
    [[ -x $x ]] || { echo "no executable at $x (build it first)" >&2; exit 1; }
done

tmp=$(mktemp -d)
sim_pid=
win_pid=
cleanup() {
    [[ -n $win_pid ]] && kill "$win_pid" 2>/dev/null || true
    [[ -n $sim_pid ]] && kill "$sim_pid" 2>/dev/null || true
    rm -rf "$tmp"
}
trap cleanup EXIT

[[ -z ${DISPLAY:-} ]] && export QT_QPA_PLATFORM=offscreen
export XDG_RUNTIME_DIR=$tmp/runtime
mkdir -m 700 "$tmp/runtime"
mkdir -p "$tmp/config/korvo-tci"
cat >"$tmp/config/korvo-tci/Korvo_TCI.ini" <<INI
[BASIC]
ComPort=1
[PORTS]
COM1=$tmp/unit-tty
INI

"$sim" --trace --link "$tmp/unit-tty" >"$tmp/trace" &
sim_pid=$!
for _ in $(seq 100); do [[ -s $tmp/trace ]] && break; sleep 0.05; done

echo "unit link figures over a pseudo-terminal (${DISPLAY:+X display $DISPLAY}${DISPLAY:-offscreen}, $(nproc) cores)"

# The window monitors the unit for the span after two seconds of settling; then the
# system calls of its ticks are counted for a few seconds more.
straceSeconds=5
XDG_CONFIG_HOME=$tmp/config "$exe" --quit-after-ms=$(( (seconds + straceSeconds + 4) * 1000 )) >/dev/null 2>&1 &
win_pid=$!
sleep 2
hz=$(getconf CLK_TCK)
cpu() { awk '{ print $14 + $15 }' "/proc/$win_pid/stat"; }
c0=$(cpu); w0=$(date +%s%N); from=$(wc -l <"$tmp/trace")
sleep "$seconds"
c1=$(cpu); w1=$(date +%s%N); to=$(wc -l <"$tmp/trace")

# Request times as the unit received them, within the span.
sed -n "$((from + 1)),${to}p" "$tmp/trace" | awk '$2 == "30" { print $1 }' \
    | awk 'NR > 1 { print $1 - prev } { prev = $1 }' | sort -n >"$tmp/intervals"
n=$(wc -l <"$tmp/intervals")
if (( n > 0 )); then
    awk -v n="$n" '{ v[NR] = $1 } END {
        m = (n % 2) ? v[(n + 1) / 2] : (v[n / 2] + v[n / 2 + 1]) / 2
        printf "monitor request every %.1f ms (median of %d intervals over %d s; min %d, 10 %% %d, 90 %% %d, max %d; target 330 +- 5)\n",
               m, n, '"$seconds"', v[1], v[int(n * 0.1) + 1], v[int(n * 0.9)], v[n] }' "$tmp/intervals"
else
    echo "monitor request: none seen (is the unit on COM1?)"
fi
awk -v c=$((c1 - c0)) -v hz="$hz" -v ns=$((w1 - w0)) -v tick=55 'BEGIN {
    s = ns / 1e9; ticks = s * 1000 / tick
    printf "window while monitoring: %.2f %% of one core, %.0f us of CPU per tick (user and system)\n",
           100 * c / hz / s, 1e6 * c / hz / ticks }'

if command -v strace >/dev/null; then
    strace -f -c -o "$tmp/strace" -p "$win_pid" 2>/dev/null &
    strace_pid=$!
    sleep "$straceSeconds"
    kill -INT "$strace_pid" 2>/dev/null || true
    wait "$strace_pid" 2>/dev/null || true
    # The total line: % time, seconds, [usecs/call,] calls, [errors,] "total".
    calls=$(awk '$NF == "total" { print NF == 6 ? $4 : $(NF - 1) }' "$tmp/strace" 2>/dev/null || true)
    [[ -n $calls ]] && awk -v c="$calls" -v s="$straceSeconds" \
        'BEGIN { printf "system calls of the window: %.1f per tick (counted for %d s)\n", c / (s * 1000 / 55), s }'
fi
wait "$win_pid" 2>/dev/null || true
win_pid=

"$f9" "$tmp/unit-tty" "$presses" | tail -n 1
kill "$sim_pid" 2>/dev/null || true
wait "$sim_pid" 2>/dev/null || true

# A unit that never stops talking: valid frames back to back, as fast as the terminal
# takes them, for the same span. Resident memory must stay flat (target under 60 MB).
"$sim" --flood --link "$tmp/unit-tty" >/dev/null &
sim_pid=$!
sleep 0.5
XDG_CONFIG_HOME=$tmp/config "$exe" --quit-after-ms=$(( (seconds + 4) * 1000 )) >/dev/null 2>&1 &
win_pid=$!
sleep 2
rss() { awk '/^VmRSS/ { print $2 }' "/proc/$win_pid/status"; }
r0=$(rss); c0=$(cpu); w0=$(date +%s%N)
sleep "$seconds"
r1=$(rss); c1=$(cpu); w1=$(date +%s%N)
hwm=$(awk '/^VmHWM/ { print $2 }' "/proc/$win_pid/status")
wait "$win_pid" 2>/dev/null || true
win_pid=
awk -v r0="$r0" -v r1="$r1" -v hwm="$hwm" -v s="$seconds" -v c=$((c1 - c0)) -v hz="$hz" -v ns=$((w1 - w0)) 'BEGIN {
    printf "window under a flood for %d s: resident memory %.1f MB, then %.1f MB, peak %.1f MB (target under 60 MB); %.1f %% of one core\n",
           s, r0 / 1024, r1 / 1024, hwm / 1024, 100 * c / hz / (ns / 1e9) }'
