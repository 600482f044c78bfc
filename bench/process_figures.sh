# Shared by the bench scripts that measure a running korvo-tci: a display to run it on, and
# the process's CPU share and memory over a span. Sourced, not run.

# The X display in DISPLAY; else a private Xvfb on the first free display number from $1
# to $2 with the screen $3 (its pid in xvfb_pid, for the caller to end); else the offscreen
# platform. `platform` says which.
xvfb_pid=
start_display() {
    local first=$1 last=$2 screen=$3 n
    platform=$([[ -n ${DISPLAY:-} ]] && echo "X display $DISPLAY" || echo "")
    if [[ -z ${DISPLAY:-} ]] && command -v Xvfb >/dev/null; then
        for n in $(seq "$first" "$last"); do
            [[ -e /tmp/.X$n-lock ]] && continue
            Xvfb ":$n" -screen 0 "$screen" >/dev/null 2>&1 &
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
}

# Watches process $1 for $2 seconds. Sets span_seconds (the wall time measured),
# cpu_percent (user and system time as a share of one core over that span), and rss_mb and
# hwm_mb (resident memory at the end and its peak).
sample_process() {
    local pid=$1 seconds=$2 hz c0 c1 w0 w1 rss hwm
    hz=$(getconf CLK_TCK)
    c0=$(awk '{ print $14 + $15 }' "/proc/$pid/stat"); w0=$(date +%s%N)
    sleep "$seconds"
    c1=$(awk '{ print $14 + $15 }' "/proc/$pid/stat"); w1=$(date +%s%N)
    rss=$(awk '/^VmRSS/ { print $2 }' "/proc/$pid/status")
    hwm=$(awk '/^VmHWM/ { print $2 }' "/proc/$pid/status")
    read -r span_seconds cpu_percent rss_mb hwm_mb < <(
        awk -v c=$((c1 - c0)) -v hz="$hz" -v ns=$((w1 - w0)) -v rss="$rss" -v hwm="$hwm" \
            'BEGIN { printf "%.1f %.2f %.1f %.1f\n", ns / 1e9, 100 * c / hz / (ns / 1e9), rss / 1024, hwm / 1024 }')
}
