#!/usr/bin/env bash
# CPU share of one core while "Com Auto" looks for a unit that is not there: the whole
# program, window included, as a user runs it without a unit plugged in.
#
#   bench/com_auto_cpu.sh [path/to/korvo-tci] [seconds]
#
# The settings live in a temporary folder (the user's own are neither read nor written);
# the scan goes over the serial devices this machine has. Run as root, the program runs
# as the user "nobody", as a desktop user would: root would open (and reconfigure) the
# machine's own built-in ports, often its console. Uses the X display in DISPLAY, else a
# private Xvfb, else the offscreen platform. Target: under 0.5 % of one core.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/process_figures.sh"

exe=${1:-build/app/korvo-tci}
seconds=${2:-30}
[[ -x $exe ]] || { echo "no executable at $exe (give its path)" >&2; exit 1; }

config=$(mktemp -d)
cleanup() {
    [[ -n $xvfb_pid ]] && kill "$xvfb_pid" 2>/dev/null || true
    rm -rf "$config" "$runtime"
}
trap cleanup EXIT

start_display 130 160 1280x1024x24
runtime=$(mktemp -d)
chmod 700 "$runtime"
export XDG_RUNTIME_DIR=$runtime

# Com Auto (ComPort 21), the scan starting at COM1, English.
export XDG_CONFIG_HOME=$config
mkdir -p "$config/korvo-tci"
printf '[BASIC]\nComPort=21\nComPortAuto=1\n' >"$config/korvo-tci/Korvo_TCI.ini"

devices=$(for d in /dev/ttyUSB* /dev/ttyACM* /dev/ttyS*; do [[ -e $d ]] && echo "$d" || true; done | wc -l)
echo "korvo-tci Com Auto without a unit ($platform, $(nproc) cores, $devices serial nodes in /dev)"

as=()
user=$(id -un)
if [[ $(id -u) == 0 ]] && command -v runuser >/dev/null; then
    chown -R nobody "$config" "$runtime"
    as=(runuser -u nobody --preserve-environment --)
    user=nobody
fi
echo "running as $user"

"${as[@]}" "$exe" --quit-after-ms=$(( (seconds + 5) * 1000 )) >/dev/null 2>&1 &
runner=$!
sleep 1
pid=$(pgrep -n -f "^$exe --quit-after-ms" || true)
[[ -n $pid ]] || { echo "the program did not start" >&2; exit 1; }
sleep 2
sample_process "$pid" "$seconds"
wait "$runner" || true
printf "Com Auto, no unit, %s s: CPU %s %% of one core (target < 0.5 %%)\n" "$span_seconds" "$cpu_percent"
